#include "zentrel/convert/output_target.h"

#include <gtest/gtest.h>

using zentrel::OutputTargetFor;

TEST(OutputTarget, KeepsTheSubFolderBelowTheDroppedFolder) {
  const auto target = OutputTargetFor(L"C:\\in\\docs\\sub\\a.txt", L"C:\\in\\docs", L"D:\\out");
  EXPECT_EQ(target.folder, L"D:\\out\\sub");
  EXPECT_EQ(target.path, L"D:\\out\\sub\\a.txt");
}

TEST(OutputTarget, FilesDirectlyInTheDroppedFolderOrDroppedThemselvesGoStraightIn) {
  EXPECT_EQ(OutputTargetFor(L"C:\\in\\docs\\a.txt", L"C:\\in\\docs", L"D:\\out").path, L"D:\\out\\a.txt");
  const auto single = OutputTargetFor(L"C:\\in\\docs\\a.txt", L"C:\\in\\docs\\a.txt", L"D:\\out");
  EXPECT_EQ(single.folder, L"D:\\out");
  EXPECT_EQ(single.path, L"D:\\out\\a.txt");
}

TEST(OutputTarget, TwoLevelsDownAreBothKept) {
  EXPECT_EQ(OutputTargetFor(L"C:\\in\\x\\y\\a.txt", L"C:\\in", L"D:\\o").folder, L"D:\\o\\x\\y");
}

TEST(OutputTarget, ADroppedDriveRootKeepsItsChildrensDoubleBackslash) {
  // The walk builds "C:\\sub\\a.txt" from the dropped "C:\".
  const auto target = OutputTargetFor(L"C:\\\\sub\\a.txt", L"C:\\", L"D:\\out");
  EXPECT_EQ(target.folder, L"D:\\out\\sub");
  EXPECT_EQ(target.path, L"D:\\out\\sub\\a.txt");
  EXPECT_EQ(OutputTargetFor(L"C:\\\\a.txt", L"C:\\", L"D:\\out").path, L"D:\\out\\a.txt");
}

TEST(OutputTarget, ASourceFromAnotherRootIsNotCutInsideAFolderName) {
  // Without a root of its own, a file from another dropped item must not lose part of a name.
  const auto target = OutputTargetFor(L"C:\\a\\longer_folder\\f.txt", L"C:\\b\\x", L"D:\\out");
  EXPECT_EQ(target.path, L"D:\\out\\f.txt");
}
