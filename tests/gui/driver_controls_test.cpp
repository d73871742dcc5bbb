// Standard controls, dialogs, message boxes, keys and menus of another process.
#include "driver_target.h"

using namespace guidriver;
using fixture::DriverTargetTest;

TEST_F(DriverTargetTest, ReadsComboItemsAndSelectsOneAsTheUserWould) {
  HWND combo = Item(fixture::kCombo);
  EXPECT_EQ(ComboItems(combo), (std::vector<std::wstring>{L"alpha", L"beta", L"\x65e5\x672c\x8a9e"}));
  EXPECT_EQ(ComboSelection(combo), -1);
  SelectComboItem(combo, 2);
  EXPECT_EQ(ComboSelection(combo), 2);
  EXPECT_TRUE(WaitForText(window_, L"combo 2"));
  EXPECT_THROW(SelectComboItem(combo, 3), DriverError);
}

TEST_F(DriverTargetTest, WritesAndReadsEditTextInBothDirections) {
  HWND edit = Item(fixture::kEdit);
  const std::wstring text = L"C:\\\x30c6\x30b9\x30c8\\folder";
  SetText(edit, text);
  EXPECT_EQ(WindowText(edit), text);
  SetText(edit, L"");
  EXPECT_EQ(WindowText(edit), L"");
}

TEST_F(DriverTargetTest, ReadsCheckAndEnabledStatesAndClicksButtons) {
  HWND option = Item(fixture::kOption);
  EXPECT_FALSE(IsChecked(option));
  ClickButton(option);
  EXPECT_TRUE(WaitForText(window_, L"option 1"));
  EXPECT_TRUE(IsChecked(option));
  SetChecked(option, false);
  EXPECT_FALSE(IsChecked(option));
  EXPECT_FALSE(IsEnabled(Item(fixture::kDisabled)));
  EXPECT_TRUE(IsEnabled(Item(fixture::kAsk)));
}

TEST_F(DriverTargetTest, PlacesControlsInTheClientCoordinatesOfTheirParent) {
  const RECT list = RectInParent(Item(fixture::kList));
  const RECT edit = RectInParent(Item(fixture::kEdit));
  const SIZE client = ClientSize(window_);
  // The list sits at the top left (5 dialog units in), the edit to its right, both inside.
  EXPECT_GT(list.left, 0);
  EXPECT_LT(list.left, 20);
  EXPECT_GT(edit.left, list.right);
  EXPECT_LE(edit.right, client.cx);
  EXPECT_LE(list.bottom, client.cy);
  // Moving the dialog moves nothing inside it.
  RECT frame{};
  ::GetWindowRect(window_, &frame);
  ASSERT_TRUE(::SetWindowPos(window_, nullptr, frame.left + 40, frame.top + 30, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  const RECT moved = RectInParent(Item(fixture::kEdit));
  EXPECT_EQ(moved.left, edit.left);
  EXPECT_EQ(moved.top, edit.top);
}

TEST_F(DriverTargetTest, FindsAMessageBoxByCaptionReadsItAndAnswersIt) {
  ClickButton(Item(fixture::kAsk));
  HWND box = WaitForDialog(L"Target Question", process_->Id());
  EXPECT_EQ(MessageBoxText(box), L"Continue?");
  PressButton(box, IDYES);
  EXPECT_TRUE(WaitUntilGone(box));
  EXPECT_TRUE(WaitForText(Item(fixture::kEdit), L"yes"));

  ClickButton(Item(fixture::kAsk));
  box = WaitForDialog(L"Target Question", process_->Id());
  ClickButton(Control(box, IDNO));
  EXPECT_TRUE(WaitUntilGone(box));
  EXPECT_TRUE(WaitForText(Item(fixture::kEdit), L"no"));
}

TEST_F(DriverTargetTest, ClosesAModalDialogWithItsOwnButton) {
  ClickButton(Item(fixture::kSub));
  HWND sub = WaitForDialog(L"Target Sub", process_->Id());
  ClickButton(Control(sub, IDOK));
  EXPECT_TRUE(WaitUntilGone(sub));
  EXPECT_TRUE(WaitForText(Item(fixture::kEdit), L"sub closed"));
}

TEST_F(DriverTargetTest, EscapeKeyReachesTheDialogAsCancel) {
  PostKeyPress(Item(fixture::kEdit), VK_ESCAPE);
  EXPECT_TRUE(WaitForText(window_, L"cancel 2"));
}

TEST_F(DriverTargetTest, PostsMenuCommands) {
  PostCommand(window_, fixture::kMenuMark);
  EXPECT_TRUE(WaitForText(window_, L"marked 2000"));
}

namespace {

void ExpectTargetMenu(const std::vector<MenuEntry>& entries) {
  ASSERT_EQ(entries.size(), 6u);
  EXPECT_EQ(entries[0].text, L"&File");
  EXPECT_EQ(entries[0].depth, 0);
  EXPECT_EQ(entries[1].text, L"&Mark");
  EXPECT_EQ(entries[1].depth, 1);
  EXPECT_EQ(entries[1].id, 2000u);
  EXPECT_TRUE(entries[2].separator);
  EXPECT_EQ(entries[3].id, 2001u);
  EXPECT_EQ(entries[4].text, L"\x30d8\x30eb\x30d7(&H)");
  EXPECT_EQ(entries[4].depth, 0);
  EXPECT_EQ(entries[5].depth, 1);
  EXPECT_EQ(entries[5].id, 2002u);
}

}  // namespace

TEST(DriverMenu, ReadsAMenuResourceOfAProgramFile) {
  ExpectTargetMenu(MenuResourceEntries(ProgramBesideTest(L"driver_target.exe"), 102));
  EXPECT_THROW(MenuResourceEntries(ProgramBesideTest(L"driver_target.exe"), 999), DriverError);
}

TEST_F(DriverTargetTest, ReadsTheMenuBarOfAnotherProcess) {
  std::vector<MenuEntry> entries;
  try {
    entries = MenuBarEntries(window_);
  } catch (const DriverError& error) {
    GTEST_SKIP() << "menus of another process cannot be read here: " << error.what();
  }
  ExpectTargetMenu(entries);
}

TEST_F(DriverTargetTest, ScreenshotIsWrittenOnlyWhenThereIsADisplay) {
  const auto path = SaveScreenshot(window_, L"driver_target");
  if (!DisplayAvailable()) {
    EXPECT_FALSE(path.has_value());
    return;
  }
  ASSERT_TRUE(path.has_value());
  const std::string bytes = ReadFileBytes(*path);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
}
