// zentrel-cli check and the result list agree: the same tree, dropped on the window and checked
// from the command line, gives the same rows in the same order, and the same file is unreadable.
#include "zentrel_inspection.h"

#include <sstream>

using namespace guidriver;
using namespace zentrel_ui;

namespace {

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  std::wstring wide(text.size(), L'\0');
  const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
  if (length == 0) throw DriverError("output is not UTF-8: " + text);
  wide.resize(static_cast<size_t>(length));
  return wide;
}

// "path TAB encoding TAB line-ending" lines, each ended by LF.
Rows ParseCheckOutput(const std::string& out) {
  Rows rows;
  std::istringstream lines(out);
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::wstring> cells;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
      cells.push_back(FromUtf8(line.substr(start, tab - start)));
      start = tab + 1;
    }
    cells.push_back(FromUtf8(line.substr(start)));
    rows.push_back(std::move(cells));
  }
  return rows;
}

}  // namespace

TEST_F(ZentrelInspectionTest, CommandLineCheckPrintsTheRowsTheListShows) {
  const std::wstring root = SampleFolder();
  const auto files = fixture_tree::EncodingTree();
  fixture_tree::WriteTree(root, files);
  fixture_tree::ExclusiveLock lock(root + L"\\" + fixture_tree::kLockedName);
  ASSERT_TRUE(lock.Held());
  const std::wstring locked = root + L"\\" + fixture_tree::kLockedName;

  const ConsoleRun cli = RunConsole(ProgramBesideTest(L"zentrel-cli.exe"), L"check \"" + root + L"\"", folder_.Path());
  EXPECT_EQ(cli.exitCode, 1u) << "an unreadable file fails the run";
  EXPECT_NE(cli.err.find(Utf8(locked)), std::string::npos) << cli.err;
  EXPECT_EQ(cli.out.find('\r'), std::string::npos) << "LF line ends";

  Start();
  SetText(main_, L"Zentrel");
  PostDrop(Item(kResultList), {root});
  HWND box = WaitForDialog(L"ERROR", process_->Id());
  EXPECT_EQ(MessageBoxText(box), kReadFailed + locked);
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitForText(main_, kTitleDone));

  const Rows listed = List().AllRows();
  EXPECT_EQ(ParseCheckOutput(cli.out), listed);
  EXPECT_EQ(listed.size(), files.size() - 1);
}

// A file another program holds open without letting it be replaced: the conversion fails with the
// cause the system gives, and the file is left as it was.
TEST_F(ZentrelInspectionTest, CommandLineConversionOfAHeldFileNamesTheCause) {
  const std::wstring file = SampleFolder() + L"\\held.txt";
  WriteFileBytes(file, "a\r\n");
  FileHandle held(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  const ConsoleRun cli = RunConsole(ProgramBesideTest(L"zentrel-cli.exe"), L"convert --eol lf \"" + file + L"\"", folder_.Path());
  EXPECT_EQ(cli.exitCode, 1u);
  EXPECT_EQ(cli.out, Utf8(file) + "\tERROR\n");
  // Windows answers a sharing violation or a denied access, depending on the step that met the handle.
  EXPECT_TRUE(cli.err.find("cannot convert: permission denied") != std::string::npos ||
              cli.err.find("cannot convert: the file is in use by another program") != std::string::npos)
      << cli.err;
  held = FileHandle();
  EXPECT_EQ(ReadFileBytes(file), "a\r\n");
}
