// Drops of paths onto a window of another process.
#include "driver_target.h"

#include <shlobj.h>

#include <cstring>

using namespace guidriver;
using fixture::DriverTargetTest;

TEST(DriverDropBlock, HoldsWidePathsAfterTheHeaderEndingInTwoNuls) {
  const auto block = BuildDropBlock({L"C:\\a", L"D:\\bc"}, POINT{3, 4});
  DROPFILES header{};
  ASSERT_GE(block.size(), sizeof(header));
  std::memcpy(&header, block.data(), sizeof(header));
  EXPECT_EQ(header.pFiles, sizeof(DROPFILES));
  EXPECT_TRUE(header.fWide);
  EXPECT_FALSE(header.fNC);
  EXPECT_EQ(header.pt.x, 3);
  EXPECT_EQ(header.pt.y, 4);
  const std::wstring expected(L"C:\\a\0D:\\bc\0\0", 12);
  ASSERT_EQ(block.size(), sizeof(header) + expected.size() * sizeof(wchar_t));
  EXPECT_EQ(std::memcmp(block.data() + sizeof(header), expected.data(), expected.size() * sizeof(wchar_t)), 0);

  const auto empty = BuildDropBlock({}, POINT{});
  EXPECT_EQ(empty.size(), sizeof(header) + 2 * sizeof(wchar_t));
}

TEST_F(DriverTargetTest, DropDeliversEveryPathInOrderAndTheTargetSurvivesDragFinish) {
  const std::vector<std::wstring> paths = {folder_.File(L"a.txt"), folder_.File(L"\x65e5\x672c.txt"),
                                           folder_.Path()};
  RemoteListView list(Item(fixture::kList));
  PostDrop(list.Handle(), paths);
  ASSERT_TRUE(WaitForText(window_, L"dropped 3"));
  EXPECT_TRUE(WaitForRowCount(list, 3));
  const Rows rows = list.AllRows();
  ASSERT_EQ(rows.size(), 3u);
  for (size_t index = 0; index < paths.size(); ++index) EXPECT_EQ(rows[index][0], paths[index]);

  // The receiver freed (or tried to free) the first block; a second drop must still work.
  PostDrop(list.Handle(), {paths[1]});
  ASSERT_TRUE(WaitForText(window_, L"dropped 1"));
  EXPECT_EQ(list.Cell(0, 0), paths[1]);
  EXPECT_TRUE(process_->IsRunning());
}

TEST_F(DriverTargetTest, RowCountTimeoutSaysHowManyRowsThereWere) {
  const auto result = WaitForRowCount(RemoteListView(Item(fixture::kList)), 5, Milliseconds{100});
  ASSERT_FALSE(result);
  EXPECT_NE(std::string(result.message()).find("seen: 3 rows"), std::string::npos) << result.message();
}
