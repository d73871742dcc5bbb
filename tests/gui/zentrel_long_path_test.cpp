// Paths past MAX_PATH through the walk, the inspection and both kinds of conversion, in Zentrel
// and in zentrel-cli.
#include "long_path_tree.h"
#include "zentrel_convert_session.h"

#include <sstream>

using namespace guidriver;
using namespace zentrel_ui;
using long_path_tree::Verbatim;

namespace {

const std::wstring kSuccess = L"success";  // the progress list's text for a converted file

std::string Fixture(const wchar_t* relative) { return ReadFileBytes(ConvertFixtures() + L"\\" + relative); }
std::string ShiftJisCrLf() { return Fixture(L"source\\sjis_crlf.txt"); }
std::string Utf8Lf() { return Fixture(L"expected\\utf8_lf\\sjis_crlf.txt"); }

// zentrel-cli run to its end.
ConsoleRun RunCli(const std::wstring& arguments, const std::wstring& scratch) {
  return RunConsole(ProgramBesideTest(L"zentrel-cli.exe"), arguments, scratch);
}

}  // namespace

class ZentrelLongPathTest : public ZentrelConvertTest {
 protected:
  void SetUp() override {
    ZentrelConvertTest::SetUp();
    ::CreateDirectoryW(folder_.File(L"tree").c_str(), nullptr);
    tree_ = long_path_tree::WriteTree(folder_.File(L"tree"), ShiftJisCrLf());
  }

  // Where `file` of the tree lands below `out`.
  std::wstring Below(const std::wstring& out, const std::wstring& file) const {
    return out + file.substr(tree_.root.size());
  }

  long_path_tree::Tree tree_;
};

TEST_F(ZentrelLongPathTest, DropListsTheFilesOfADeepTreeAndAPathOf300Characters) {
  for (const auto& file : tree_.files) ASSERT_GT(file.size(), static_cast<size_t>(MAX_PATH));
  Drop({tree_.root}, 2);
  EXPECT_EQ(ResultRows(), (Rows{{tree_.files[0], L"Shift_JIS", L"CR LF"}, {tree_.files[1], L"Shift_JIS", L"CR LF"}}));
}

TEST_F(ZentrelLongPathTest, ConversionInPlaceRewritesEachFile) {
  Drop({tree_.files[0], tree_.files[1]}, 2);
  const Rows status = Convert(kUtf8, kLf);
  ASSERT_EQ(status.size(), 3u);
  for (size_t row = 0; row < 2; ++row) EXPECT_EQ(status[row][1], kSuccess) << Utf8(status[row][0]);
  for (const auto& file : tree_.files) EXPECT_EQ(ReadFileBytes(Verbatim(file)), Utf8Lf()) << Utf8(file);
  EXPECT_EQ(ResultRows(), (Rows{{tree_.files[0], L"UTF-8", L"LF"}, {tree_.files[1], L"UTF-8", L"LF"}}));
}

TEST_F(ZentrelLongPathTest, ConversionIntoAFolderRebuildsTheLongFoldersThere) {
  const std::wstring out = folder_.File(L"out");
  ::CreateDirectoryW(out.c_str(), nullptr);
  Drop({tree_.root}, 2);
  const Rows status = Convert(kUtf8, kLf, out);
  ASSERT_EQ(status.size(), 3u);
  for (size_t row = 0; row < 2; ++row) EXPECT_EQ(status[row][1], kSuccess) << Utf8(status[row][0]);
  for (const auto& file : tree_.files) {
    EXPECT_EQ(ReadFileBytes(Verbatim(Below(out, file))), Utf8Lf()) << Utf8(file);
    EXPECT_EQ(ReadFileBytes(Verbatim(file)), ShiftJisCrLf()) << "the source stays as it was";
  }
}

TEST_F(ZentrelLongPathTest, CommandLineChecksAndConvertsTheSameFiles) {
  const ConsoleRun check = RunCli(L"check \"" + tree_.root + L"\"", folder_.Path());
  EXPECT_EQ(check.exitCode, 0u) << check.out;
  std::ostringstream lines;
  for (const auto& file : tree_.files) lines << Utf8(file) << "\tShift_JIS\tCR LF\n";
  EXPECT_EQ(check.out, lines.str());

  const std::wstring out = folder_.File(L"cli-out");
  ::CreateDirectoryW(out.c_str(), nullptr);
  const ConsoleRun convert =
      RunCli(L"convert --to utf8 --eol lf --out \"" + out + L"\" \"" + tree_.root + L"\"", folder_.Path());
  EXPECT_EQ(convert.exitCode, 0u) << convert.out;
  for (const auto& file : tree_.files) EXPECT_EQ(ReadFileBytes(Verbatim(Below(out, file))), Utf8Lf()) << Utf8(file);
  const ConsoleRun inPlace = RunCli(L"convert --to utf8 --eol lf \"" + tree_.root + L"\"", folder_.Path());
  EXPECT_EQ(inPlace.exitCode, 0u) << inPlace.out;
  for (const auto& file : tree_.files) EXPECT_EQ(ReadFileBytes(Verbatim(file)), Utf8Lf()) << Utf8(file);
}
