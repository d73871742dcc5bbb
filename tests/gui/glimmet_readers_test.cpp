// Every reader against the fixture's controls in another process: the text and the label for
// each kind, the settings and edge cases that change them, and what must never happen (a
// password read, a hung target freezing the reader).
#include "glimmet_target_session.h"

#include "glimmet/platform/window_text.h"

#include <string>

using namespace glimmet_target;
using glimmet::kInterruptionMark;
using guidriver::Utf8;

namespace {

std::wstring Lines(std::initializer_list<std::wstring> lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += line + L"\r\n";
  return text;
}

template <class Range>
std::wstring LinesOf(const Range& lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += line + L"\r\n";
  return text;
}

std::wstring Row(const std::wstring (&cells)[3]) { return cells[0] + L"\t" + cells[1] + L"\t" + cells[2] + L"\r\n"; }

std::wstring EndOf(const std::wstring& text, std::size_t length) {
  return text.size() < length ? text : text.substr(text.size() - length);
}

}  // namespace

TEST_F(GlimmetTargetTest, EachKindReadsItsControlWithItsLabel) {
  std::wstring listView;
  for (const auto& row : kListViewRows) listView += Row(row);
  const struct {
    int id;
    std::wstring text, label;
  } cases[] = {
      {kEdit, kEditText, L"WM_GETTEXT"},
      {kMultiLineEdit, kMultiLineText, L"WM_GETTEXT"},  // emoji and Korean intact
      {kListBox, LinesOf(kListBoxItems), L"LB_GETTEXT"},
      {kEmptyListBox, L"", L"LB_GETTEXT"},
      {kLongItemListBox, Lines({LongItem().substr(0, 1023), kShortItem}), L"LB_GETTEXT"},
      {kComboBox, LinesOf(kComboItems), L"CB_GETLBTEXT"},
      {kListView, listView, L"LVM_GETITEMW"},
      {kGapListView, Row(kGapRow) + Row(kGapRow), L"LVM_GETITEMW"},  // the empty cell keeps its TAB
      {kToolBar, LinesOf(kToolButtons), L"TB_GETBUTTON"},           // the separator is an empty line
      {kTab, LinesOf(kTabs), L"TCM_GETITEM"},
      {kStatic, Lines({kStaticText}), L"Accessible"},
  };
  for (const auto& c : cases) {
    PointAt(Item(c.id));
    const glimmet::ReadResult read = ReadPointed();
    EXPECT_EQ(Utf8(read.text), Utf8(c.text)) << "control " << c.id;
    EXPECT_EQ(read.methodLabel, c.label) << "control " << c.id;
  }
}

TEST_F(GlimmetTargetTest, ProgressTextsOfTheListReaders) {
  PointAt(Item(kListBox));
  ReadPointed();
  EXPECT_EQ(progress_, L"3/3");  // item index / last index
  PointAt(Item(kListView));
  ReadPointed();
  EXPECT_EQ(progress_, L"3/3");  // rows done / rows
  PointAt(Item(kTab));
  ReadPointed();
  EXPECT_EQ(progress_, L"5/-");
}

TEST_F(GlimmetTargetTest, FindDialogGivesItsTitleThenEveryChildWithText) {
  PointAt(find_);
  const glimmet::ReadResult read = ReadPointed();
  EXPECT_EQ(Utf8(read.text), Utf8(Lines({kFindTitle, kFindEditText, kFindNextText, kFindCancelText})));
  EXPECT_EQ(read.methodLabel, L"Accessible");
}

TEST_F(GlimmetTargetTest, ListViewColumnSettingsCsvAndFirstColumnOnly) {
  PointAt(Item(kListView));
  settings_.listviewCol = 1;
  const std::wstring csv = ReadPointed().text;
  EXPECT_NE(csv.find(L"\r\n\"b, \"\"q\"\".txt\",,gap\r\n"), std::wstring::npos) << Utf8(csv);
  EXPECT_EQ(EndOf(csv, 4), L"\r\n\r\n");
  settings_.listviewCol = 2;
  std::wstring firstColumn;
  for (const auto& row : kListViewRows) firstColumn += row[0] + L"\r\n";
  EXPECT_EQ(Utf8(ReadPointed().text), Utf8(firstColumn));
}

TEST_F(GlimmetTargetTest, ListViewWithoutColumnsIsLeftToAccessibility) {
  PointAt(Item(kColumnlessListView));
  EXPECT_EQ(ReadPointed().methodLabel, L"Accessible");
}

// Wine's accessibility gives no tree or drop-list items: the readers use the controls' messages.
TEST_F(GlimmetTargetTest, TreeGivesThePointedBranchIndentedByLevel) {
  HWND tree = Item(kTreeView);
  RECT rect{};
  ::GetWindowRect(tree, &rect);
  PointAt(tree, rect.left + 30, rect.top + 6);  // on the first root item
  glimmet::ReadResult read = ReadPointed();
  EXPECT_EQ(Utf8(read.text), Utf8(Lines({L"Root", L"\tChild A", L"\t\t" + std::wstring(kJapanese), L"\t\tGrandchild",
                                         L"\tChild B"})));
  EXPECT_TRUE(read.methodLabel == L"TVM_GETITEMW" || read.methodLabel == L"Accessible") << Utf8(read.methodLabel);

  settings_.treeviewIndent = 0;
  PointAt(tree, rect.left + 30, rect.bottom - 6);  // below the items: the whole tree
  read = ReadPointed();
  std::wstring all;
  for (const TreeEntry& entry : kTree) all += entry.text + L"\r\n";
  EXPECT_EQ(Utf8(read.text), Utf8(all));
}

TEST_F(GlimmetTargetTest, OpenDropListReadsItsItems) {
  HWND combo = Item(kComboBox);
  guidriver::Send(combo, CB_SHOWDROPDOWN, TRUE);
  // The drop list is a top-level window of the target (GetComboBoxInfo does not cross processes here).
  HWND dropList = guidriver::WaitForTopLevelWindow({.processId = process_->Id(), .className = L"ComboLBox"});
  PointAt(dropList);
  const glimmet::ReadResult read = ReadPointed();
  guidriver::Send(combo, CB_SHOWDROPDOWN, FALSE);
  EXPECT_EQ(Utf8(read.text), Utf8(LinesOf(kComboItems)));
  EXPECT_TRUE(read.methodLabel == L"LB_GETTEXT" || read.methodLabel == L"Accessible") << Utf8(read.methodLabel);
}

TEST_F(GlimmetTargetTest, LongListsStopWithTheMarkWhenThePointerLeavesOrTheRunStops) {
  const struct {
    int id;
    bool stopRun;  // else the pointer moves to another window
  } cases[] = {{kBigListBox, false}, {kBigListView, false}, {kBigListView, true}};
  for (const auto& c : cases) {
    PointAt(Item(c.id));
    settings_.running = true;
    int pumps = 0;
    context_.pumpMessages = [&] {
      if (++pumps < 50) return;
      if (c.stopRun) settings_.running = false;
      else settings_.pointWindow = reinterpret_cast<std::uintptr_t>(main_);
    };
    const std::wstring text = ReadPointed().text;
    EXPECT_EQ(EndOf(text, kInterruptionMark.size()), kInterruptionMark) << "control " << c.id;
    EXPECT_NE(text.find(c.id == kBigListBox ? BigItem(48) : BigCell(48, 2)), std::wstring::npos);
    EXPECT_EQ(text.find(c.id == kBigListBox ? BigItem(60) : BigCell(60, 0)), std::wstring::npos);
  }
}

TEST_F(GlimmetTargetTest, PasswordIsNeverRevealed) {
  HWND password = Item(kPasswordEdit);
  PointAt(password);
  EXPECT_EQ(ReadPointed(), glimmet::ReadResult{});
  EXPECT_EQ(glimmet::capture::TextAtPoint(context_, settings_.pointX, settings_.pointY, false), glimmet::ReadResult{});
  EXPECT_EQ(glimmet::capture::HintTextOf(context_, password), L"");
  const std::wstring children = glimmet::capture::ReadChildren(context_, main_).text;
  EXPECT_EQ(children.find(kPassword), std::wstring::npos);
  EXPECT_NE(children.find(kEditText), std::wstring::npos);  // the other edits are read
}

TEST_F(GlimmetTargetTest, TextAtPointAndTheHintsOfStatusBarAndToolTip) {
  PointAt(Item(kMultiLineEdit));
  glimmet::ReadResult read = glimmet::capture::TextAtPoint(context_, settings_.pointX, settings_.pointY, false);
  EXPECT_EQ(Utf8(read.text), Utf8(kMultiLineText));
  EXPECT_FALSE(read.methodLabel.empty());
  read = glimmet::capture::TextAtPoint(context_, settings_.pointX, settings_.pointY, true);
  EXPECT_EQ(Utf8(read.text), Utf8(kMultiLineText.substr(0, kMultiLineText.find(L"\r\n"))));
  EXPECT_EQ(Utf8(glimmet::capture::CurrentTooltipText(context_)), Utf8(kToolTipText));
  EXPECT_EQ(Utf8(glimmet::capture::HintTextOf(context_, Item(kStatusBar))), Utf8(kStatusText));
}

TEST_F(GlimmetTargetTest, HungWindowDoesNotBlockTheReader) {
  HWND hangWindow = guidriver::WaitForTopLevelWindow({.processId = process_->Id(), .caption = kHangTitle});
  HWND list = guidriver::Control(hangWindow, kHangListBox);
  PointAt(list);
  ASSERT_EQ(Utf8(ReadPointed().text), Utf8(LinesOf(kHangItems)));

  guidriver::Post(main_, kHangMessage);
  ASSERT_TRUE(guidriver::WaitUntil(
      [&] { return !::SendMessageTimeoutW(hangWindow, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 50, nullptr); },
      "the hang window stops answering"));
  // Had the reader waited for the target, it would not return before the release below.
  const glimmet::ReadResult hung = ReadPointed();
  guidriver::Post(main_, kReleaseMessage);
  EXPECT_EQ(hung.text.find(kHangItems[1]), std::wstring::npos);
  EXPECT_TRUE(guidriver::WaitUntil([&] { return ReadPointed().text == LinesOf(kHangItems); }, "answers again"));
}
