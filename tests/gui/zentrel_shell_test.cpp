// Zentrel's main window as it starts: the list, the choices, their states, Esc, the about box.
#include "zentrel_shell.h"

#include <commctrl.h>

using namespace guidriver;
using namespace zentrel_ui;

TEST_F(ZentrelTest, ResultListShowsTheThreeHeadersAndOnlyTheHintRow) {
  RemoteListView list(Item(kResultList));
  EXPECT_EQ(list.Headers(), (std::vector<std::wstring>{kHeaderFile, kHeaderEncoding, kHeaderEol}));
  EXPECT_EQ(list.AllRows(), (Rows{{kHintRow, L"", L""}}));
  EXPECT_EQ(Send(list.Handle(), LVM_GETCOLUMNWIDTH, 0), 256);
  EXPECT_EQ(Send(list.Handle(), LVM_GETCOLUMNWIDTH, 1), 70);
  EXPECT_EQ(Send(list.Handle(), LVM_GETCOLUMNWIDTH, 2), 70);
  SaveScreenshot(main_, L"zentrel_start");
}

TEST_F(ZentrelTest, ResultListSelectsWholeRowsSeveralAtATimeAndKeepsThemShown) {
  HWND list = Item(kResultList);
  const auto style = ::GetWindowLongPtrW(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(style & LVS_SHOWSELALWAYS, LVS_SHOWSELALWAYS);
  EXPECT_EQ(style & LVS_SINGLESEL, 0);
  EXPECT_TRUE(Send(list, LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_FULLROWSELECT);
  // Only the list takes drops; the rest of the window refuses them.
  EXPECT_TRUE(::GetWindowLongPtrW(list, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_FALSE(::GetWindowLongPtrW(main_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(ZentrelTest, DropDownsHoldTheirChoicesWithNothingSelected) {
  EXPECT_EQ(ComboItems(Item(kEncodingCombo)),
            (std::vector<std::wstring>{L"Shift-JIS", L"EUC-JP", L"UTF-8", L"UTF-16LE", L"UTF-16BE", L"ISO-2022-JP"}));
  EXPECT_EQ(ComboItems(Item(kEolCombo)), (std::vector<std::wstring>{L"CRLF", L"CR", L"LF"}));
  EXPECT_EQ(ComboSelection(Item(kEncodingCombo)), -1);
  EXPECT_EQ(ComboSelection(Item(kEolCombo)), -1);
}

TEST_F(ZentrelTest, StartsWithConvertDisabledAndInPlaceReplacementChosen) {
  EXPECT_FALSE(IsEnabled(Item(kConvert)));
  EXPECT_TRUE(IsChecked(Item(kReplaceRadio)));
  EXPECT_FALSE(IsChecked(Item(kFolderRadio)));
  EXPECT_FALSE(IsEnabled(Item(kOutputEdit)));
  EXPECT_FALSE(IsEnabled(Item(kBrowse)));
  EXPECT_TRUE(IsEnabled(Item(kClose)));
}

TEST_F(ZentrelTest, FolderChoiceEnablesTheOutputControlsAndReplaceDisablesThemAgain) {
  ClickButton(Item(kFolderRadio));
  EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Item(kOutputEdit)) && IsEnabled(Item(kBrowse)); },
                        "edit 40011 and button 1004 enabled"));
  EXPECT_TRUE(IsChecked(Item(kFolderRadio)));
  EXPECT_FALSE(IsChecked(Item(kReplaceRadio)));

  ClickButton(Item(kReplaceRadio));
  EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(Item(kOutputEdit)) && !IsEnabled(Item(kBrowse)); },
                        "edit 40011 and button 1004 disabled"));
  EXPECT_TRUE(IsChecked(Item(kReplaceRadio)));
  EXPECT_FALSE(IsEnabled(Item(kConvert)));
}

TEST_F(ZentrelTest, EscapeLeavesTheWindowOpen) {
  PostKeyPress(Item(kResultList), VK_ESCAPE);
  PostCommand(main_, IDCANCEL);
  // Posted messages are handled in order: once the folder choice shows, both Esc forms are done.
  PostCommand(main_, kFolderRadio);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(main_) || IsEnabled(Item(kOutputEdit)); },
                        "the command posted after Esc to take effect"));
  EXPECT_TRUE(::IsWindow(main_));
  EXPECT_TRUE(::IsWindowVisible(main_));
  EXPECT_TRUE(process_->IsRunning());
}

TEST_F(ZentrelTest, MainWindowIsAResizableDialogWithAMenuBar) {
  const auto style = ::GetWindowLongPtrW(main_, GWL_STYLE);
  for (LONG_PTR bit : {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX}) {
    EXPECT_EQ(style & bit, bit) << "style bit 0x" << std::hex << bit;
  }
  EXPECT_NE(::GetMenu(main_), nullptr);
  // The small icon cannot be checked from here: Wine answers WM_GETICON from another process
  // with 0 even when the window has one.
}

TEST_F(ZentrelTest, AboutBoxOpensFromTheMenuAndClosesWithOk) {
  PostCommand(main_, kMenuAbout);
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (const auto& window : process_->Windows()) {
          if (window.handle != main_ && window.visible && window.className == L"#32770") about = window.handle;
        }
        return about != nullptr;
      },
      "a second dialog of the process", [&] { return DescribeWindows(process_->Windows()); }));
  // It has no owner, so the main window stays usable while it is open.
  EXPECT_EQ(::GetWindow(about, GW_OWNER), nullptr);
  EXPECT_TRUE(IsEnabled(main_));
  SaveScreenshot(about, L"zentrel_about");

  ClickButton(Control(about, IDOK));
  EXPECT_TRUE(WaitUntilGone(about));
  EXPECT_TRUE(::IsWindowVisible(main_));
  EXPECT_TRUE(process_->IsRunning());
}

namespace {

void ExpectMainMenu(const std::vector<MenuEntry>& entries) {
  ASSERT_EQ(entries.size(), 7u);
  EXPECT_EQ(entries[0].text, L"\x30d5\x30a1\x30a4\x30eb(&F)");
  EXPECT_EQ(entries[0].depth, 0);
  EXPECT_EQ(entries[1].text, L"\x30ea\x30b9\x30c8\x3092\x4fdd\x5b58(&S)");
  EXPECT_EQ(entries[1].id, static_cast<UINT>(kMenuSaveList));
  EXPECT_TRUE(entries[2].separator);
  EXPECT_EQ(entries[3].text, L"\x8a2d\x5b9a(&O)");
  EXPECT_EQ(entries[3].id, static_cast<UINT>(kMenuSettings));
  EXPECT_EQ(entries[4].text, L"\x7d42\x4e86(&X)");
  EXPECT_EQ(entries[4].id, static_cast<UINT>(kMenuExit));
  EXPECT_EQ(entries[5].text, L"\x30d8\x30eb\x30d7(&H)");
  EXPECT_EQ(entries[5].depth, 0);
  EXPECT_EQ(entries[6].text, L"\x30d0\x30fc\x30b8\x30e7\x30f3\x60c5\x5831(&A)...");
  EXPECT_EQ(entries[6].id, static_cast<UINT>(kMenuAbout));
}

}  // namespace

TEST(ZentrelMenus, MainMenuResourceHoldsFileAndHelpWithTheirCommands) {
  ExpectMainMenu(MenuResourceEntries(ProgramBesideTest(L"Zentrel.exe"), kMainMenuResource));
}

TEST(ZentrelMenus, ListMenuResourceHoldsTheThreeRowActions) {
  const auto entries = MenuResourceEntries(ProgramBesideTest(L"Zentrel.exe"), kListMenuResource);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].text, L"\x30b5\x30d6\x30e1\x30cb\x30e5\x30fc");
  EXPECT_EQ(entries[1].id, 200u);
  EXPECT_EQ(entries[1].text, L"\x30ea\x30b9\x30c8\x304b\x3089\x9664\x5916\x3059\x308b (&L)");
  EXPECT_EQ(entries[2].id, 201u);
  EXPECT_EQ(entries[3].id, 202u);
}

TEST_F(ZentrelTest, MenuBarOfTheRunningWindowIsTheMainMenu) {
  std::vector<MenuEntry> entries;
  try {
    entries = MenuBarEntries(main_);
  } catch (const DriverError& error) {
    GTEST_SKIP() << "menus of another process cannot be read here: " << error.what();
  }
  ExpectMainMenu(entries);
}

namespace {

const std::wstring kTitleDone = L"Zentrel - \x5b8c\x4e86\x3057\x307e\x3057\x305f\x3002";

}  // namespace

class ZentrelAfterDropTest : public ZentrelTest {
 protected:
  // A drop that yields no rows: Convert becomes usable without any file to convert.
  void SetUp() override {
    ZentrelTest::SetUp();
    const std::wstring empty = folder_.File(L"empty");
    ASSERT_TRUE(::CreateDirectoryW(empty.c_str(), nullptr));
    PostDrop(Item(kResultList), {empty});
    ASSERT_TRUE(WaitForText(main_, kTitleDone));
  }

  // Presses Convert, expects the "INFO" box with `text`, answers it, and checks that nothing
  // else happened: no progress dialog, the title as it was.
  void ExpectConvertRefusedWith(const std::wstring& text) {
    ClickButton(Item(kConvert));
    HWND box = WaitForDialog(L"INFO", process_->Id());
    EXPECT_EQ(MessageBoxText(box), text);
    EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr) << "Zentrel's message boxes have no owner";
    PressButton(box, IDOK);
    ASSERT_TRUE(WaitUntilGone(box));
    EXPECT_EQ(WindowText(main_), kTitleDone);
    for (const auto& window : process_->Windows()) {
      if (window.visible) EXPECT_EQ(window.handle, main_) << "unexpected window '" << Utf8(window.caption) << "'";
    }
  }
};

TEST_F(ZentrelAfterDropTest, DropOfAnEmptyFolderEmptiesTheListAndEnablesConvert) {
  RemoteListView list(Item(kResultList));
  // The hint row goes with the first drop, even one that yields no rows.
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_TRUE(IsEnabled(Item(kConvert)));
  // The drop block came from the driver, not from GlobalAlloc: DragFinish must not have hurt.
  EXPECT_TRUE(process_->IsRunning());
  PostCommand(main_, kMenuExit);
  EXPECT_EQ(process_->WaitForExit(), 0u);
}

TEST_F(ZentrelAfterDropTest, ConvertWithNeitherChoiceAsksForOne) {
  ExpectConvertRefusedWith(
      L"\x6587\x5b57\x30b3\x30fc\x30c9\x304b\x6539\x884c\x30b3\x30fc\x30c9\x3092\x9078\x629e"
      L"\x3057\x3066\x304f\x3060\x3055\x3044");
}

TEST_F(ZentrelAfterDropTest, ConvertIntoAFolderWithoutOneAsksForTheFolder) {
  SelectComboItem(Item(kEolCombo), 2);
  ClickButton(Item(kFolderRadio));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Item(kOutputEdit)); }, "the output folder edit enabled"));
  ExpectConvertRefusedWith(L"\x51fa\x529b\x5148\x3092\x6307\x5b9a\x3057\x3066\x304f\x3060\x3055\x3044");
}
