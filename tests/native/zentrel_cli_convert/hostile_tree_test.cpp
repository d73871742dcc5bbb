// zentrel-cli convert on trees built to lose data: each case is a tree, a command line, the lines
// and exit status expected, and what every file must hold afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "cli_run.h"
#include "command_line.h"
#include "conversion_files_posix.h"
#include "convert_command.h"
#include "file_system_posix.h"
#include "text_utf8.h"

namespace {

using namespace cli_test;

struct HostileCase {
  const char* name;
  std::map<std::string, std::string> tree;  // relative path -> bytes
  // Arguments; "@" stands for the tree's root folder.
  std::vector<std::string> args;
  std::vector<std::string> lines;  // relative paths with their outcome ("a.txt\tsuccess")
  int status;
  std::vector<std::string> messages;  // each must appear on standard error ("@" as above)
  std::map<std::string, std::string> after;  // files that must hold these bytes afterwards
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

std::string Rooted(std::string text, const fs::path& root) {
  for (std::size_t at; (at = text.find('@')) != std::string::npos;)
    text.replace(at, 1, root.string());
  return text;
}

const std::vector<HostileCase>& Cases() {
  static const std::vector<HostileCase> cases = {
      {"output folder inside the tree holds a source not yet converted",
       {{"a.txt", "new\r\n"}, {"o/a.txt", "old\r\n"}},
       {"convert", "--eol", "lf", "--out", "@/o", "@"},
       {"@/a.txt\tERROR", "@/o/a.txt\tsuccess"},
       1,
       {"@/a.txt: not written: @/o/a.txt is @/o/a.txt, a file of this conversion"},
       {{"a.txt", "new\r\n"}, {"o/a.txt", "old\r\n"}, {"o/o/a.txt", "old\n"}}},
      {"output folder inside the tree holds a source already converted",
       {{"z.txt", "new\r\n"}, {"o/z.txt", "old\r\n"}},
       {"convert", "--eol", "lf", "--out", "@/o", "@"},
       {"@/o/z.txt\tsuccess", "@/z.txt\tERROR"},
       1,
       {"@/z.txt: not written: @/o/z.txt is @/o/z.txt"},
       {{"z.txt", "new\r\n"}, {"o/z.txt", "old\r\n"}, {"o/o/z.txt", "old\n"}}},
      {"two sources with the same relative part",
       {{"x/same.txt", "first\r\n"}, {"y/same.txt", "second\r\n"}},
       {"convert", "--eol", "lf", "--out", "@/out", "@/x/same.txt", "@/y/same.txt"},
       {"@/x/same.txt\tsuccess", "@/y/same.txt\tERROR"},
       1,
       {"@/y/same.txt: not written: @/out/same.txt already holds the conversion of @/x/same.txt"},
       {{"out/same.txt", "first\n"}, {"y/same.txt", "second\r\n"}}},
      {"one file given twice goes to its one target twice",
       {{"x/same.txt", "first\r\n"}},
       {"convert", "--eol", "lf", "--out", "@/out", "@/x/same.txt", "@/x//same.txt"},
       {"@/x/same.txt\tsuccess", "@/x//same.txt\tsuccess"},
       0,
       {},
       {{"out/same.txt", "first\n"}}},
  };
  return cases;
}

class HostileTreeTest : public ::testing::TestWithParam<HostileCase> {
 protected:
  TempTree work_;
};

TEST_P(HostileTreeTest, LosesNothingAndSaysWhy) {
  const HostileCase& c = GetParam();
  const fs::path root = work_.root() / "tree";
  fs::create_directories(root);
  for (const auto& [path, bytes] : c.tree) Write(root / path, bytes);
  std::vector<std::string> args;
  for (const std::string& arg : c.args) args.push_back(Rooted(arg, root));
  const CliRun run = RunCli(args, work_.root() / "run");

  std::string expected;
  for (const std::string& line : c.lines) expected += Rooted(line, root) + "\n";
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.status, c.status) << run.err;
  for (const std::string& message : c.messages)
    EXPECT_NE(run.err.find(Rooted(message, root)), std::string::npos) << run.err;
  const auto tree = Tree(root);
  for (const auto& [path, bytes] : c.after) {
    ASSERT_TRUE(tree.count(path)) << path;
    EXPECT_EQ(tree.at(path), bytes) << path;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileTreeTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

// Another process replaces the file just as the conversion opens it: between any look by name and
// the open, which is where two conversions of one file raced.
class ReplacedOnOpen final : public zentrel::cli::ConversionFiles {
 public:
  explicit ReplacedOnOpen(std::function<void()> replace) : replace_(std::move(replace)) {}
  bool IsReadOnly(const std::wstring& path) override { return real_.IsReadOnly(path); }
  std::optional<zentrel::cli::FileStamp> Stamp(const std::wstring& path) override {
    return real_.Stamp(path);
  }
  bool CreateFolders(const std::wstring& folder) override { return real_.CreateFolders(folder); }
  std::optional<zentrel::FileId> IdOf(const std::wstring& path) override { return real_.IdOf(path); }
  nkf::ConvertResult Convert(const std::wstring& source, const std::wstring& destination,
                             const nkf::ConvertOptions& options,
                             const zentrel::cli::KnownGuess* known) override {
    replace_();
    return real_.Convert(source, destination, options, known);
  }

 private:
  std::function<void()> replace_;
  zentrel::cli::PosixConversionFiles real_;
};

TEST(ConcurrentConversion, AFileReplacedAfterTheWalkIsGuessedAgain) {
  TempTree work;
  const fs::path file = work.root() / "shared.txt";
  Write(file, "\x82\xa0\x82\xa2\r\n");  // Shift_JIS
  // The other process's result: EUC-JP of the same length, which as Shift_JIS reads as kana.
  ReplacedOnOpen conversion([&] {
    Write(work.root() / "other.tmp", "\xa4\xa2\xa4\xa4\r\n");
    fs::rename(work.root() / "other.tmp", file);
  });
  zentrel::cli::ConvertOptions options;
  options.encodingChoice = 2;  // UTF-8
  options.walk.readSize = 0;
  options.walk.paths = {zentrel::cli::Utf8ToWide(file.string())};
  zentrel::cli::PosixFileSystem files;
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(zentrel::cli::RunConvert(options, files, conversion, L'/', out, err), 0);
  std::fclose(out);
  std::fclose(err);
  EXPECT_EQ(ReadAll(file), "\xE3\x81\x82\xE3\x81\x84\r\n");
}

}  // namespace
