// Drops on Zentrel's result list: the walk of a folder tree holding every encoding and line-ending
// kind, an unreadable file on the way, several items at once, and a second drop.
#include "zentrel_inspection.h"

#include <algorithm>

using namespace guidriver;
using namespace zentrel_ui;
using fixture_tree::EncodingTree;
using fixture_tree::ExpectedRows;
using fixture_tree::kLockedName;
using fixture_tree::WriteTree;

namespace {

std::string DescribeRows(const Rows& rows) {
  std::string text;
  for (const auto& row : rows) {
    for (const auto& cell : row) text += Utf8(cell) + " | ";
    text += "\n";
  }
  return text;
}

}  // namespace

// The expected rows assume the platform's listing order and attributes; this pins those down so
// that a failure below points at the program, not at the fixture.
TEST(ZentrelFixtureTree, IsListedInTheOrderOfTheExpectedRowsWithItsHiddenEntries) {
  TempFolder folder;
  WriteTree(folder.Path(), EncodingTree());
  std::vector<std::wstring> top;
  for (const auto& file : EncodingTree()) {
    const std::wstring first = file.relativePath.substr(0, file.relativePath.find(L'\\'));
    if (top.empty() || top.back() != first) top.push_back(first);
  }
  EXPECT_EQ(fixture_tree::ListingOrder(folder.Path()), top);
  EXPECT_EQ(fixture_tree::ListingOrder(folder.File(L"sub")), (std::vector<std::wstring>{L"deeper", L"inner.txt"}));
  EXPECT_TRUE(::GetFileAttributesW(folder.File(L"hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(::GetFileAttributesW(folder.File(L"sub").c_str()) & FILE_ATTRIBUTE_HIDDEN);

  fixture_tree::ExclusiveLock lock(folder.File(kLockedName));
  ASSERT_TRUE(lock.Held());
  FileHandle other(::CreateFileW(folder.File(kLockedName).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_FALSE(other) << "a file locked by the test must not open for anybody else";
}

TEST_F(ZentrelInspectionTest, FolderDropShowsEveryFileOfTheTreeInWalkOrder) {
  const std::wstring root = SampleFolder();
  WriteTree(root, EncodingTree());
  Start();
  ASSERT_FALSE(IsEnabled(Item(kConvert)));

  ASSERT_TRUE(DropAndWait({root}));
  const Rows expected = ExpectedRows(root, EncodingTree());
  const Rows rows = List().AllRows();
  EXPECT_EQ(rows, expected) << "seen:\n" << DescribeRows(rows) << "expected:\n" << DescribeRows(expected);
  EXPECT_TRUE(IsEnabled(Item(kConvert)));
  EXPECT_EQ(WindowText(main_), kTitleDone);
  SaveScreenshot(main_, L"zentrel_drop_tree");
}

TEST_F(ZentrelInspectionTest, UnreadableFileIsReportedOnceAndTheWalkGoesOn) {
  const std::wstring root = SampleFolder();
  const auto files = EncodingTree();
  WriteTree(root, files);
  fixture_tree::ExclusiveLock lock(root + L"\\" + kLockedName);
  ASSERT_TRUE(lock.Held());
  Start();

  SetText(main_, L"Zentrel");
  PostDrop(Item(kResultList), {root});
  HWND box = WaitForDialog(L"ERROR", process_->Id());
  EXPECT_EQ(MessageBoxText(box), kReadFailed + root + L"\\" + kLockedName);
  EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
  EXPECT_EQ(WindowText(main_), L"Check: " + kLockedName) << "the title names the file being inspected";
  // The walk waits on the box: exactly the files listed before the locked one have their rows.
  Rows before = ExpectedRows(root, files, kLockedName);
  const auto lockedAt = std::find_if(files.begin(), files.end(),
                                     [](const auto& file) { return file.relativePath == kLockedName; });
  before.resize(static_cast<size_t>(lockedAt - files.begin()));
  EXPECT_EQ(List().AllRows(), before);

  PressButton(box, IDOK);
  ASSERT_TRUE(WaitUntilGone(box));
  ASSERT_TRUE(WaitForText(main_, kTitleDone));
  EXPECT_EQ(FindTopLevelWindow({.processId = process_->Id(), .className = L"#32770", .caption = L"ERROR"}),
            nullptr)
      << "one unreadable file, one message";
  EXPECT_EQ(List().AllRows(), ExpectedRows(root, files, kLockedName));
}

// The error box has no owner, so the window stays usable under it; a drop arriving then must not
// clear the rows (and the drop roots the conversion reads) under the walk that waits on the box, and
// what reads or changes the half-built rows or the settings the walk reads must not start either.
TEST_F(ZentrelInspectionTest, DropsAndCommandsWhileAWalkWaitsOnItsErrorBoxAreRefused) {
  const std::wstring root = SampleFolder();
  const auto files = EncodingTree();
  WriteTree(root, files);
  fixture_tree::ExclusiveLock lock(root + L"\\" + kLockedName);
  ASSERT_TRUE(lock.Held());
  Start();

  PostDrop(Item(kResultList), {root});
  HWND box = WaitForDialog(L"ERROR", process_->Id());
  PostDrop(Item(kResultList), {root + L"\\sub"});
  for (int command : {kConvert, kMenuSaveList, kMenuSettings}) PostCommand(main_, command);
  PostCommand(main_, kFolderRadio);  // handled after the others: the box's loop serves them in order
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Item(kOutputEdit)); }, "the posted messages to be handled"));
  std::vector<WindowInfo> dialogs = TopLevelWindows(process_->Id());
  std::erase_if(dialogs, [](const WindowInfo& w) { return !w.visible || w.className != L"#32770"; });
  ASSERT_EQ(dialogs.size(), 2u) << "only the main window and the box:\n" << DescribeWindows(dialogs);

  SetText(main_, L"Zentrel");
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitForText(main_, kTitleDone));
  EXPECT_EQ(List().AllRows(), ExpectedRows(root, files, kLockedName));
}

TEST_F(ZentrelInspectionTest, SeveralItemsDroppedAtOnceAppendTheirRowsInDropOrder) {
  const std::wstring root = SampleFolder();
  WriteTree(root, EncodingTree());
  Start();

  // Files and a folder out of listing order; the folder's file dropped by itself as well gets a
  // second row (nothing removes duplicates).
  const std::wstring utf8 = root + L"\\utf8.txt";
  const std::wstring sub = root + L"\\sub";
  const std::wstring inner = root + L"\\sub\\inner.txt";
  const std::wstring cr = root + L"\\ascii_cr.txt";
  ASSERT_TRUE(DropAndWait({utf8, sub, cr, inner}));
  EXPECT_EQ(List().AllRows(), (Rows{{utf8, L"UTF-8", L"LF"},
                                    {root + L"\\sub\\deeper\\deep.txt", L"UTF-8", L"LF"},
                                    {inner, L"Shift_JIS", L"CR"},
                                    {cr, L"ASCII", L"CR"},
                                    {inner, L"Shift_JIS", L"CR"}}));
}

TEST_F(ZentrelInspectionTest, EachDropReplacesTheRowsOfTheOneBefore) {
  const std::wstring root = SampleFolder();
  WriteTree(root, EncodingTree());
  Start();
  EXPECT_EQ(List().AllRows(), (Rows{{kHintRow, L"", L""}}));

  ASSERT_TRUE(DropAndWait({root + L"\\sub"}));
  EXPECT_EQ(List().RowCount(), 2);
  const std::wstring sjis = root + L"\\sjis.txt";
  ASSERT_TRUE(DropAndWait({sjis}));
  EXPECT_EQ(List().AllRows(), (Rows{{sjis, L"Shift_JIS", L"CR LF"}}));

  // A drop that yields no rows still ends in the same state: empty list, title, Convert enabled;
  // a path that is not there is said to be so.
  SetText(main_, L"Zentrel");
  PostDrop(Item(kResultList), {root + L"\\no such folder"});
  HWND box = WaitForDialog(L"ERROR", process_->Id());
  EXPECT_EQ(MessageBoxText(box), kNotFound + root + L"\\no such folder");
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitForText(main_, kTitleDone));
  EXPECT_EQ(List().RowCount(), 0);
  EXPECT_TRUE(IsEnabled(Item(kConvert)));
}

TEST_F(ZentrelInspectionTest, NamesWindowsWouldTakeForDevicesOrTrimAreFilesOfTheTree) {
  const std::wstring root = SampleFolder();
  const std::vector<std::wstring> names = {L"aux.txt", L"blank ", L"com1.txt", L"dot.", L"nul"};
  // Written and removed by their literal names: through the ordinary form each would be a device
  // (the temporary folder's own clean-up would open COM1), or lose its last character.
  struct LiteralFiles {
    std::vector<std::wstring> paths;
    ~LiteralFiles() {
      for (const std::wstring& path : paths) ::DeleteFileW(path.c_str());
    }
  } files;
  for (const std::wstring& name : names) {
    files.paths.push_back(L"\\\\?\\" + root + L"\\" + name);
    WriteFileBytes(files.paths.back(), "x\n");
  }
  Start();
  ASSERT_TRUE(DropAndWait({root}));
  Rows expected;
  for (const std::wstring& name : names) expected.push_back({root + L"\\" + name, L"ASCII", L"LF"});
  EXPECT_EQ(List().AllRows(), expected);
}
