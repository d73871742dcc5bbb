// zentrel-cli convert on trees built to lose data: each case is a tree, a command line, the lines
// and exit status expected, and what every file must hold afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <iterator>

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
  // Run on the root before the command (links, owners) and after it (what the bytes cannot show).
  std::function<void(const fs::path&)> prepare = {};
  std::function<void(const fs::path&)> verify = {};
};

struct stat StatOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info;
}

const std::string kLongName = std::string(251, 'n') + ".txt";  // 255 bytes, the longest allowed

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

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
      {"in place as root keeps another user's owner and mode",
       {{"theirs.txt", "x\r\n"}},
       {"convert", "--eol", "lf", "@"},
       {"@/theirs.txt\tsuccess"},
       0,
       {},
       {{"theirs.txt", "x\n"}},
       [](const fs::path& root) {
         if (::geteuid() == 0) ASSERT_EQ(::chown((root / "theirs.txt").c_str(), 4321, 4322), 0);
         ASSERT_EQ(::chmod((root / "theirs.txt").c_str(), 0640), 0);
       },
       [](const fs::path& root) {
         const struct stat info = StatOf(root / "theirs.txt");
         EXPECT_EQ(info.st_uid, ::geteuid() == 0 ? 4321u : ::geteuid());
         EXPECT_EQ(info.st_gid, ::geteuid() == 0 ? 4322u : ::getegid());
         EXPECT_EQ(info.st_mode & 07777, 0640u);
       }},
      {"a symbolic link stays a link and its target is converted",
       {{"real/a.txt", "x\r\n"}},
       {"convert", "--eol", "lf", "@/link.txt"},
       {"@/link.txt\tsuccess"},
       0,
       {},
       {{"real/a.txt", "x\n"}},
       [](const fs::path& root) { fs::create_symlink("real/a.txt", root / "link.txt"); },
       [](const fs::path& root) { EXPECT_TRUE(fs::is_symlink(root / "link.txt")); }},
      {"a link planted in the output folder is replaced, not written through",
       {{"elsewhere.txt", "keep\r\n"}, {"src/a.txt", "x\r\n"}},
       {"convert", "--eol", "lf", "--out", "@/out", "@/src"},
       {"@/src/a.txt\tsuccess"},
       0,
       {},
       {{"elsewhere.txt", "keep\r\n"}, {"out/a.txt", "x\n"}},
       [](const fs::path& root) {
         fs::create_directories(root / "out");
         fs::create_symlink("../elsewhere.txt", root / "out" / "a.txt");
       },
       [](const fs::path& root) { EXPECT_FALSE(fs::is_symlink(root / "out" / "a.txt")); }},
      {"a file with two hard links is left whole",
       {{"a.txt", "x\r\n"}},
       {"convert", "--eol", "lf", "@/a.txt"},
       {"@/a.txt\tskip"},
       0,
       {"@/a.txt: file has 2 hard links, left as it is"},
       {{"a.txt", "x\r\n"}, {"b.txt", "x\r\n"}},
       [](const fs::path& root) { fs::create_hard_link(root / "a.txt", root / "b.txt"); },
       [](const fs::path& root) { EXPECT_EQ(StatOf(root / "a.txt").st_nlink, 2u); }},
      {"a name of 255 bytes is converted in place",
       {{kLongName, "x\r\n"}},
       {"convert", "--eol", "lf", "@"},
       {"@/" + kLongName + "\tsuccess"},
       0,
       {},
       {{kLongName, "x\n"}}},
      {"a temporary file of a conversion is not listed",
       {{".nkf32-a1B2c3", "left by a crash\r\n"}, {"a.txt", "x\r\n"}},
       {"convert", "--eol", "lf", "@"},
       {"@/a.txt\tsuccess"},
       0,
       {},
       {{".nkf32-a1B2c3", "left by a crash\r\n"}}},
  };
  return cases;
}

class HostileTreeTest : public ::testing::TestWithParam<HostileCase> {
 protected:
  // Builds the case's tree, runs its command (with --dry-run after "convert" when asked) and
  // checks the lines, the status and the messages; returns the tree afterwards.
  std::map<std::string, std::string> Run(bool dryRun) {
    const HostileCase& c = GetParam();
    fs::create_directories(root_);
    for (const auto& [path, bytes] : c.tree) Write(root_ / path, bytes);
    if (c.prepare) c.prepare(root_);
    before_ = Tree(root_);
    std::vector<std::string> args;
    for (const std::string& arg : c.args) args.push_back(Rooted(arg, root_));
    if (dryRun) args.insert(args.begin() + 1, "--dry-run");
    const CliRun run = RunCli(args, work_.root() / "run");

    std::string expected;
    for (const std::string& line : c.lines) expected += Rooted(line, root_) + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.status, c.status) << run.err;
    for (const std::string& message : c.messages)
      EXPECT_NE(run.err.find(Rooted(message, root_)), std::string::npos) << run.err;
    return Tree(root_);
  }

  TempTree work_;
  const fs::path root_ = work_.root() / "tree";
  std::map<std::string, std::string> before_;
};

TEST_P(HostileTreeTest, LosesNothingAndSaysWhy) {
  const HostileCase& c = GetParam();
  const auto tree = Run(false);
  for (const auto& [path, bytes] : c.after) {
    ASSERT_TRUE(tree.count(path)) << path;
    EXPECT_EQ(tree.at(path), bytes) << path;
  }
  if (c.verify) c.verify(root_);
  for (const auto& [path, bytes] : tree) {
    if (!c.tree.count(path))
      EXPECT_EQ(path.find(".nkf32-"), std::string::npos) << "left behind: " << path;
  }
}

// A dry run refuses and skips what the real run would, says the same, and writes nothing.
TEST_P(HostileTreeTest, DryRunSaysTheSameAndWritesNothing) {
  const auto tree = Run(true);
  EXPECT_EQ(tree, before_);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileTreeTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HostileCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

// The temporary file of a conversion stopped by a signal: seen while it is written, gone afterwards.
TEST(StoppedConversion, LeavesNeitherTheTemporaryNorAChangedSource) {
  TempTree work;
  const fs::path big = work.root() / "big.txt";
  {
    std::ofstream out(big, std::ios::binary);
    const std::string block(1 << 20, 'a');
    // Past the size converted in memory: the temporary file is written while the source is read.
    for (int i = 0; i < 66; ++i) out << block << "\r\n";
  }
  const auto size = fs::file_size(big);
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::execl(ZENTREL_CLI_PATH, ZENTREL_CLI_PATH, "convert", "--eol", "lf", big.c_str(), nullptr);
      ::_exit(127);
    }
    bool seen = false;
    int status = 0;
    while (!seen && ::waitpid(child, &status, WNOHANG) == 0) {
      for (const auto& entry : fs::directory_iterator(work.root()))
        seen = seen || entry.path() != big;  // the temporary file, whatever its name
      if (!seen) ::usleep(1000);  // leave the two cores to the conversion
    }
    if (seen) {
      ::kill(child, signal);
      ::waitpid(child, &status, 0);
    }
    ASSERT_TRUE(seen) << "the conversion ended before its temporary file was seen";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    for (const auto& entry : fs::directory_iterator(work.root()))
      EXPECT_EQ(entry.path(), big) << "left behind";
    EXPECT_EQ(fs::file_size(big), size);
  }
}

// A failed conversion says why: the file system's own cause, not one word for all of them.
TEST(FailedConversion, NamesTheCause) {
  TempTree work;
  const std::string ascii(40 * 1024, 'a');  // twice as long in UTF-16
  struct Mount {
    fs::path at;
    bool mounted = false;
    ~Mount() {
      if (mounted) ::system(("umount " + Quote(at.string())).c_str());
    }
  };
  Mount full{work.root() / "full"}, readOnly{work.root() / "ro"};
  for (Mount* m : {&full, &readOnly}) {
    fs::create_directories(m->at);
    m->mounted = ::system(("mount -t tmpfs -o size=64k tmpfs " + Quote(m->at.string()) +
                           " 2>/dev/null").c_str()) == 0;
  }
  if (!full.mounted || !readOnly.mounted) GTEST_SKIP() << "no right to mount a small file system";
  Write(full.at / "big.txt", ascii);
  Write(readOnly.at / "a.txt", "a\r\n");
  ASSERT_EQ(::system(("mount -o remount,ro " + Quote(readOnly.at.string())).c_str()), 0);
  // A folder the converting user may read but not write in.
  const fs::path shut = work.root() / "shut";
  Write(shut / "a.txt", "a\r\n");
  fs::permissions(shut / "a.txt", fs::perms::all);
  fs::permissions(shut, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec |
                            fs::perms::group_read | fs::perms::group_exec);
  fs::permissions(work.root(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  const std::string asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups ";

  const struct {
    std::vector<std::string> args;
    std::string prefix;
    std::string message;
  } cases[] = {
      {{"convert", "--to", "utf16le", (full.at / "big.txt").string()}, "",
       "big.txt: cannot write the converted file: disk full"},
      {{"convert", "--eol", "lf", (readOnly.at / "a.txt").string()}, "",
       "a.txt: cannot convert: read-only file system"},
      {{"convert", "--eol", "lf", (shut / "a.txt").string()}, ::geteuid() == 0 ? asNobody : "",
       "a.txt: cannot convert: permission denied"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.args, work.root() / "run", c.prefix);
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadAll(full.at / "big.txt"), ascii);
  EXPECT_EQ(Tree(full.at).size(), 1u) << "no temporary file left";
  EXPECT_EQ(ReadAll(shut / "a.txt"), "a\r\n");
}

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
