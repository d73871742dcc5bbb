// The result list after a drop: header clicks sort whole rows by one column, and a right-click
// shows the list's context menu, whose first item removes the selected row.
#include "zentrel_inspection.h"

using namespace guidriver;
using namespace zentrel_ui;

namespace {

// Four rows whose order differs by every column: names that only an ordinal comparison puts in
// capital-first order, and encodings and line endings that each sort differently again.
class ZentrelListTest : public ZentrelInspectionTest {
 protected:
  void SetUp() override {
    root_ = SampleFolder();
    Write(L"Apple.txt", L"eucjp.txt");             // EUC-JP, LF
    Write(L"apple2.txt", L"utf16le_bom.txt");      // UTF-16, CR
    Write(L"banana.txt", L"ascii_mixed.txt");      // ASCII, mixed
    Write(L"Cherry.txt", L"sjis.txt");             // Shift_JIS, CR LF
    Start();
    ASSERT_TRUE(DropAndWait({root_}));
    ASSERT_EQ(List().AllRows(), (Rows{apple_, apple2_, banana_, cherry_})) << "walk order";
  }

  void Write(const std::wstring& name, const std::wstring& sample) {
    WriteFileBytes(root_ + L"\\" + name, fixture_tree::TreeSample(sample).bytes);
  }

  testing::AssertionResult ClickAndWaitFor(int column, const Rows& expected) {
    List().ClickHeader(column);
    return WaitUntil([&] { return List().AllRows() == expected; }, "rows sorted by column " + std::to_string(column),
                     [&] {
                       std::string seen;
                       for (const auto& row : List().AllRows()) seen += Utf8(row[0]) + "; ";
                       return seen;
                     });
  }

  std::wstring root_;
  const std::vector<std::wstring> apple_{folder_.File(L"tree\\Apple.txt"), L"EUC-JP", L"LF"};
  const std::vector<std::wstring> apple2_{folder_.File(L"tree\\apple2.txt"), L"UTF-16", L"CR"};
  const std::vector<std::wstring> banana_{folder_.File(L"tree\\banana.txt"), L"ASCII", fixture_tree::kMixed};
  const std::vector<std::wstring> cherry_{folder_.File(L"tree\\Cherry.txt"), L"Shift_JIS", L"CR LF"};
};

}  // namespace

TEST_F(ZentrelListTest, HeaderClicksSortAscendingThenDescendingByOrdinalOrder) {
  ASSERT_TRUE(ClickAndWaitFor(0, {apple_, cherry_, apple2_, banana_}));
  ASSERT_TRUE(ClickAndWaitFor(0, {banana_, apple2_, cherry_, apple_}));
  ASSERT_TRUE(ClickAndWaitFor(0, {apple_, cherry_, apple2_, banana_}));
}

TEST_F(ZentrelListTest, EachColumnSortsAscendingOnItsFirstClickWhateverTheOthersDid) {
  ASSERT_TRUE(ClickAndWaitFor(0, {apple_, cherry_, apple2_, banana_}));
  ASSERT_TRUE(ClickAndWaitFor(0, {banana_, apple2_, cherry_, apple_}));
  ASSERT_TRUE(ClickAndWaitFor(1, {banana_, apple_, cherry_, apple2_}));
  ASSERT_TRUE(ClickAndWaitFor(2, {apple2_, cherry_, apple_, banana_}));
  // Each column remembers its own state: the third click on column 0 is ascending again, the
  // second on column 1 descending.
  ASSERT_TRUE(ClickAndWaitFor(0, {apple_, cherry_, apple2_, banana_}));
  ASSERT_TRUE(ClickAndWaitFor(1, {apple2_, cherry_, apple_, banana_}));
}

TEST_F(ZentrelListTest, RightClickShowsTheContextMenuAndEscapeLeavesTheRows) {
  List().RightClick(2);
  HWND menu = WaitForPopupMenu(process_->Id());
  EXPECT_TRUE(List().IsSelected(2));
  DismissPopupMenu(menu);
  ASSERT_TRUE(WaitUntilGone(menu));
  EXPECT_EQ(List().AllRows(), (Rows{apple_, apple2_, banana_, cherry_}));

  // Below the last row there is no row, and still a menu.
  List().RightClick(-1);
  menu = WaitForPopupMenu(process_->Id());
  DismissPopupMenu(menu);
  ASSERT_TRUE(WaitUntilGone(menu));
  EXPECT_EQ(List().RowCount(), 4);
}

TEST_F(ZentrelListTest, RemoveFromTheContextMenuTakesTheRightClickedRowOut) {
  List().RightClick(1);
  HWND menu = WaitForPopupMenu(process_->Id());
  ChoosePopupMenuItem(menu, 0);
  ASSERT_TRUE(WaitUntil([&] { return List().RowCount() == 3; }, "three rows left"));
  EXPECT_EQ(List().AllRows(), (Rows{apple_, banana_, cherry_}));

  // After a sort the menu acts on the row shown where the click was, not on an old index.
  ASSERT_TRUE(ClickAndWaitFor(0, {apple_, cherry_, banana_}));
  List().RightClick(1);
  menu = WaitForPopupMenu(process_->Id());
  ChoosePopupMenuItem(menu, 0);
  ASSERT_TRUE(WaitUntil([&] { return List().RowCount() == 2; }, "two rows left"));
  EXPECT_EQ(List().AllRows(), (Rows{apple_, banana_}));
}
