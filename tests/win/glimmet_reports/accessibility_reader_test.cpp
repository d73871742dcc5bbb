// The accessibility reader, report and action test against fake accessible objects served in
// this process, and once against the system's own oleacc.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "fake_accessible.h"
#include "glimmet/core/reader_texts.h"
#include "glimmet/reports/accessibility_reader.h"
#include "glimmet/reports/action_test.h"

namespace {

using fake::FakeAccessible;
using glimmet::reports::AccessibleRef;
using Microsoft::WRL::ComPtr;

struct FakeSource final : glimmet::reports::AccessibilitySource {
  ComPtr<FakeAccessible> object;
  long child = CHILDID_SELF;
  HWND window = nullptr;

  AccessibleRef Ref() const {
    AccessibleRef ref;
    if (object) ref.object = object;
    ref.child = glimmet::platform::UniqueVariant::Long(child);
    return ref;
  }
  AccessibleRef ObjectAtPoint(int, int) const override { return Ref(); }
  AccessibleRef ObjectOfWindow(HWND) const override { return Ref(); }
  HWND WindowAtPoint(int, int) const override { return window; }
};

// A list "Files" with five items inside a pane inside a dialog.
struct FakeDialog {
  ComPtr<FakeAccessible> dialog = FakeAccessible::Make();
  ComPtr<FakeAccessible> pane = FakeAccessible::Make();
  ComPtr<FakeAccessible> list = FakeAccessible::Make();

  FakeDialog() {
    dialog->name = L"Dialog";
    dialog->role = 18;
    dialog->box = {0, 0, 300, 200};
    dialog->objects = {pane};
    pane->name = L"Pane";
    pane->role = 16;
    pane->box = {5, 5, 200, 100};
    pane->parent = dialog.Get();
    pane->objects = {list};
    list->name = L"Files";
    list->role = 33;
    list->state = 0x100004;
    list->shortcut = L"Alt+F";
    list->box = {10, 20, 100, 50};
    list->parent = pane.Get();
    list->elements = {{L"a", L""}, {L"b", L""}, {L"c", L""}, {L"d", L""}, {L"e", L""}};
  }
};

class AccessibilityReader : public testing::Test {
 protected:
  void SetUp() override { ::CoInitialize(nullptr); }
  void TearDown() override { ::CoUninitialize(); }

  glimmet::reports::AccessibilityReader Reader() const { return {source_, settings_}; }

  FakeSource source_;
  glimmet::AppSettings settings_;
};

TEST_F(AccessibilityReader, ReportListsAncestorsOutermostFirstAndCutsChildrenAtTheMaximum) {
  FakeDialog fakes;
  source_.object = fakes.list;
  settings_.parentAndChildren = 1;
  settings_.parentAndChildrenMax = 2;
  EXPECT_EQ(Reader().BuildReport(nullptr),
            L"MSAA(MS Active Accessibility) info.\r\n"
            L"---------------------------------------\r\n"
            L"Name       : Files\r\n"
            L"Value      : \r\n"
            L"Role       : 33 LIST\r\n"
            L"State      : x100004 FOCUSED,FOCUSABLE\r\n"
            L"KbShortCut : Alt+F\r\n"
            L"Location   : (l:10,t:20,r:110,b:70)\r\n"
            L"ChildCount : 5\r\n"
            L"DefAction  : \r\n"
            L"Description: \r\n\r\n"
            L"Id         : 0\r\n"
            L"Object Type: Container\r\n\r\n"
            L"Ancestors  : top \u2192 bottom\r\n"
            L" \"Dialog\" 18:DIALOG (0,0,300,200) ChildCount=1\r\n"
            L" \"Pane\" 16:PANE (5,5,205,105) ChildCount=1\r\n\r\n"
            L"Children   : 5 max=2\r\n"
            L" \"a\" 34:LISTITEM (10,20,110,70)\r\n"
            L" \"b\" 34:LISTITEM (10,20,110,70)\r\n"
            L"\r\n-- \u4EE5\u4E0B\u7701\u7565 --\r\n\r\n");
}

TEST_F(AccessibilityReader, ReportOfASimpleElementAndOfNothing) {
  FakeDialog fakes;
  source_.object = fakes.list;
  source_.child = 3;
  settings_.parentAndChildrenMax = 0;
  const std::wstring report = Reader().BuildReport(nullptr);
  EXPECT_NE(report.find(L"Name       : c\r\n"), std::wstring::npos);
  EXPECT_NE(report.find(L"ChildCount : 0\r\nDefAction"), std::wstring::npos);
  EXPECT_NE(report.find(L"Id         : 3\r\nObject Type: Simple Element\r\n"), std::wstring::npos);
  source_.object = nullptr;
  EXPECT_EQ(Reader().BuildReport(nullptr), L"");
}

TEST_F(AccessibilityReader, ListFromAnItemStartsAtTheFirstItemAndFromTheContainerGivesNames) {
  FakeDialog fakes;
  source_.object = fakes.list;
  source_.child = 3;
  std::wstring progress;
  EXPECT_EQ(Reader().ReadList(false, false, [&](const std::wstring& text) { progress = text; }),
            L"a\r\nb\r\nc\r\nd\r\ne\r\n");
  EXPECT_EQ(progress, L"5/5");
  source_.child = CHILDID_SELF;
  settings_.parentAndChildrenMax = 3;
  EXPECT_EQ(Reader().ReadList(false, false), L" a\r\n b\r\n c\r\n\r\n-- \u4EE5\u4E0B\u7701\u7565 --\r\n");
  source_.object = nullptr;
  EXPECT_EQ(Reader().ReadList(false, false), glimmet::kAccessibleError);
}

TEST_F(AccessibilityReader, TreeBranchFromThePointedItemIndentedBelowIt) {
  HWND tree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(tree);
  auto fakeTree = FakeAccessible::Make();
  fakeTree->elements = {{L"Root", L"1"}, {L"A", L"2"}, {L"A1", L"3"}, {L"A2", L"3"}, {L"B", L"2"}, {L"Root2", L"1"}};
  source_.object = fakeTree;
  source_.window = tree;
  const struct {
    long pointed;
    std::wstring text;
  } cases[] = {
      {2, L"A\r\n\tA1\r\n\tA2\r\n"},
      {5, L"B\r\n"},  // a collapsed item: nothing below it is shown
      {1, L"Root\r\n\tA\r\n\t\tA1\r\n\t\tA2\r\n\tB\r\n"},
  };
  for (const auto& c : cases) {
    source_.child = c.pointed;
    EXPECT_EQ(Reader().ReadList(true, true), c.text) << c.pointed;
  }
  ::DestroyWindow(tree);
}

TEST_F(AccessibilityReader, ProtectedObjectsGiveNoValue) {
  auto password = FakeAccessible::Make();
  password->value = L"secret";
  password->state = STATE_SYSTEM_PROTECTED;
  source_.object = password;
  EXPECT_EQ(Reader().ValueAtPoint(1, 1), L"");
  password->state = 0;
  EXPECT_EQ(Reader().ValueAtPoint(1, 1), L"secret");
}

TEST(ActionTest, RunsTheChosenActionAndTellsFailuresWithLabelAndName) {
  const struct {
    int kind;
    HRESULT result;
    std::wstring call, messageTail;  // empty tail: no message
  } cases[] = {
      {1, S_OK, L"default 2", L""},
      {2, S_OK, L"select 1 2", L""},
      {3, E_FAIL, L"select 2 2", L"\r\n\r\nAccSelect 2 - b"},
      {1, DISP_E_MEMBERNOTFOUND, L"default 2", L"\r\n\r\naccDoDefaultAction - b"},
      {4, E_FAIL, L"", L""},
  };
  for (const auto& c : cases) {
    auto list = FakeAccessible::Make();
    list->elements = {{L"a", L""}, {L"b", L""}};
    list->actionResult = c.result;
    AccessibleRef ref;
    ref.object = list;
    ref.child = glimmet::platform::UniqueVariant::Long(2);
    std::vector<std::wstring> messages;
    glimmet::reports::RunActionTest(c.kind, ref, [&](const std::wstring& text) { messages.push_back(text); });
    EXPECT_EQ(list->calls, c.call.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.call});
    if (c.messageTail.empty()) {
      EXPECT_TRUE(messages.empty()) << c.kind;
    } else {
      ASSERT_EQ(messages.size(), 1u);
      const std::wstring number = std::to_wstring(static_cast<long>(c.result)) + L" ";
      EXPECT_EQ(messages[0].substr(0, number.size()), number);
      EXPECT_EQ(messages[0].substr(messages[0].size() - c.messageTail.size()), c.messageTail);
    }
  }
  std::vector<std::wstring> messages;
  glimmet::reports::RunActionTest(1, AccessibleRef{}, [&](const std::wstring& text) { messages.push_back(text); });
  EXPECT_EQ(messages, std::vector<std::wstring>{L"MSAA\u30AA\u30D6\u30B8\u30A7\u30AF\u30C8\u3067\u306F\u3042\u308A\u307E\u305B\u3093"});
}

// The system's accessibility server: an edit of this process is a text object whose value is its text.
TEST(SystemAccessibility, ReportOfARealEditFromItsWindow) {
  ::CoInitialize(nullptr);
  HWND edit = ::CreateWindowExW(0, L"Edit", L"hello", WS_POPUP | WS_VISIBLE, 50, 60, 120, 30, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_TRUE(edit);
  glimmet::AppSettings settings;
  const std::wstring report =
      glimmet::reports::AccessibilityReader(glimmet::reports::SystemAccessibility(), settings).BuildReport(edit);
  EXPECT_NE(report.find(L"\u3000--Get from window handle(" + std::to_wstring(reinterpret_cast<std::uintptr_t>(edit)) +
                        L")\r\n\u3000\u3000Edit \"hello\"\r\n"),
            std::wstring::npos);
  EXPECT_NE(report.find(L"Role       : 42 TEXT\r\n"), std::wstring::npos) << testing::PrintToString(report);
  EXPECT_NE(report.find(L"Value      : hello\r\n"), std::wstring::npos);
  ::DestroyWindow(edit);
  ::CoUninitialize();
}

}  // namespace
