// A list view of another process: every cell, headers, selection and click notifications.
#include "driver_target.h"

#include <commctrl.h>

using namespace guidriver;
using fixture::DriverTargetTest;

TEST_F(DriverTargetTest, ReadsHeadersAndEveryCellIncludingLongAndJapaneseText) {
  RemoteListView list(Item(fixture::kList));
  EXPECT_EQ(list.ColumnCount(), 3);
  EXPECT_EQ(list.Headers(), (std::vector<std::wstring>{L"Name", L"Size", L"\x540d\x524d"}));
  ASSERT_EQ(list.RowCount(), 3);
  const Rows rows = list.AllRows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"alpha", L"1", L"\x3042\x3044\x3046"}));
  EXPECT_EQ(rows[1], (std::vector<std::wstring>{L"beta", L"22", L""}));
  // 3003 characters: longer than the first read, so it must be read again, whole.
  EXPECT_EQ(rows[2][0], std::wstring(3000, L'x') + L"end");
  EXPECT_EQ(list.Cell(2, 0), rows[2][0]);
  EXPECT_EQ(list.Cell(2, 1), L"333");
}

TEST_F(DriverTargetTest, SelectsAndDeselectsRowsRemotely) {
  RemoteListView list(Item(fixture::kList));
  EXPECT_TRUE(list.SelectedRows().empty());
  list.Select(0);
  list.Select(2);
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{0, 2}));
  list.Select(0, false);
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{2}));
  list.ClearSelection();
  EXPECT_TRUE(list.SelectedRows().empty());
}

TEST_F(DriverTargetTest, ClicksReachTheListsParentAsNotificationsWithTheirRow) {
  RemoteListView list(Item(fixture::kList));
  list.ClickHeader(2);
  EXPECT_TRUE(WaitForText(window_, L"column 2"));
  list.ClickHeader(0);
  EXPECT_TRUE(WaitForText(window_, L"column 0"));
  list.DoubleClick(1);
  EXPECT_TRUE(WaitForText(window_, L"dblclk row 1"));
  // A click selects the row it lands on, as the mouse would.
  EXPECT_EQ(list.SelectedRows(), (std::vector<int>{1}));
}

TEST_F(DriverTargetTest, RightClickOpensTheContextMenuWhoseItemsCanBeChosenOrDismissed) {
  RemoteListView list(Item(fixture::kList));
  list.RightClick(1);
  EXPECT_TRUE(WaitForText(window_, L"rclick row 1"));
  HWND menu = WaitForPopupMenu(process_->Id());
  ChoosePopupMenuItem(menu, 1);  // "Second": the separator does not count
  EXPECT_TRUE(WaitForText(window_, L"picked 2011"));

  list.RightClick(-1);  // below the last row
  EXPECT_TRUE(WaitForText(window_, L"rclick row -1"));
  menu = WaitForPopupMenu(process_->Id());
  DismissPopupMenu(menu);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(menu) || !::IsWindowVisible(menu); }, "the menu to close"));
  // The dialog serves commands again once the menu loop has ended.
  PostCommand(window_, fixture::kMenuMark);
  EXPECT_TRUE(WaitForText(window_, L"marked 2000"));
}

TEST_F(DriverTargetTest, PostedNotificationsReachTheParentWithTheirBlock) {
  RemoteListView list(Item(fixture::kList));
  list.PostNotification(LVN_COLUMNCLICK, -1, 1);
  EXPECT_TRUE(WaitForText(window_, L"column 1"));
  list.PostNotification(NM_DBLCLK, 2);
  EXPECT_TRUE(WaitForText(window_, L"dblclk row 2"));
}
