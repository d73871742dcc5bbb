// zentrel-cli check end to end on Linux: a tree built here, the real program, its exact output
// lines and exit status.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "cli_run.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string kMixed = "\xE6\xB7\xB7\xE5\x9C\xA8";

using cli_test::CliRun;
using cli_test::Rooted;
using cli_test::Write;

class CliCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(root_.empty()); }

  CliRun Cli(const std::vector<std::string>& args) { return cli_test::RunCli(args, root_); }

  // A file that exists but cannot be opened, even by root: a Unix socket.
  void MakeSocket(const fs::path& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof address.sun_path);
    strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
  }

  std::string Row(const std::string& relative, const std::string& encoding,
                  const std::string& ending) {
    return root_.string() + "/" + relative + "\t" + encoding + "\t" + ending + "\n";
  }

  cli_test::TempTree tree_;
  const fs::path root_ = tree_.root();
};

TEST_F(CliCheckTest, PrintsOneLinePerFileInNtfsOrderAndFailsForAnUnreadableFile) {
  Write(root_ / "B.txt", "line1\r\nline2\r\n");
  Write(root_ / "_under.txt", "x\ny\n");
  Write(root_ / "a.txt", "a\rb\r");
  Write(root_ / ".hidden", "h\nh\r\nh\n");
  // The start of an executable: NUL bytes at even and odd offsets, no line ends.
  Write(root_ / "bin.dat",
        "\x7F"
        "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x3E\0\x01\0\0\0\xA0\x10\0\0"s);
  // UTF-16LE with a mark: U+4E0A, CR LF, U+4E0D, CR LF (bytes 0A and 0D inside the kanji).
  Write(root_ / "u16.txt", "\xFF\xFE\x0A\x4E\r\0\n\0\x0D\x4E\r\0\n\0"s);
  Write(root_ / "u8bom.txt", "\xEF\xBB\xBFx\n");
  Write(root_ / "empty", "");
  MakeSocket(root_ / "sock");
  fs::create_directories(root_ / "sub" / "deeper");
  Write(root_ / "sub" / "deeper" / "c.txt", "c\n");

  const CliRun run = Cli({"check", root_.string()});
  EXPECT_EQ(run.out, Row(".hidden", "ASCII", kMixed) + Row("a.txt", "ASCII", "CR") +
                         Row("B.txt", "ASCII", "CR LF") + Row("bin.dat", "BINARY", "") +
                         Row("empty", "ASCII", "") + Row("sub/deeper/c.txt", "ASCII", "LF") +
                         Row("u16.txt", "UTF-16", "CR LF") + Row("u8bom.txt", "UTF-8", "LF") +
                         Row("_under.txt", "ASCII", "LF"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find((root_ / "sock").string()), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one message: " << run.err;
}

TEST_F(CliCheckTest, OptionsDriveReadSizeAndTheFilter) {
  std::string late = "x\r\n";
  late += std::string(1200, 'y');
  late += "\nz";  // an LF that is not the last byte, which would be forgiven
  Write(root_ / "late.txt", late);
  fs::create_directories(root_ / "sub");
  Write(root_ / "sub" / "c.txt", "c\n");
  Write(root_ / "sub" / "d.log", "d\n");

  EXPECT_EQ(Cli({"check", (root_ / "late.txt").string()}).out, Row("late.txt", "ASCII", "CR LF"));
  EXPECT_EQ(Cli({"check", "--readsize", "0", (root_ / "late.txt").string()}).out,
            Row("late.txt", "ASCII", kMixed));

  const CliRun excluded = Cli({"check", "--ignore", ".txt", root_.string()});
  EXPECT_EQ(excluded.out, Row("sub/d.log", "ASCII", "LF"));
  EXPECT_EQ(excluded.status, 0);

  const CliRun selected =
      Cli({"check", "--select", "--regex", "--fullpath", "--ignore", "/sub/", root_.string()});
  EXPECT_EQ(selected.out, Row("sub/c.txt", "ASCII", "LF") + Row("sub/d.log", "ASCII", "LF"));

  // A path given twice is inspected twice; a root with a trailing "/" keeps it in the child paths.
  const CliRun twice = Cli({"check", (root_ / "sub" / "c.txt").string(), root_.string() + "/sub/"});
  EXPECT_EQ(twice.out, Row("sub/c.txt", "ASCII", "LF") + Row("sub//c.txt", "ASCII", "LF") +
                           Row("sub//d.log", "ASCII", "LF"));
}

TEST_F(CliCheckTest, LinksBackIntoTheWalkAreNotWalkedAgain) {
  fs::create_directories(root_ / "sub");
  Write(root_ / "sub" / "c.txt", "c\n");
  fs::create_directory_symlink("..", root_ / "sub" / "up");
  fs::create_directory_symlink(".", root_ / "sub" / "self");
  fs::create_symlink("c.txt", root_ / "sub" / "link.txt");  // a link to a file is read

  const CliRun run = Cli({"check", root_.string()});
  EXPECT_EQ(run.out, Row("sub/c.txt", "ASCII", "LF") + Row("sub/link.txt", "ASCII", "LF"));
  EXPECT_EQ(run.status, 0);
}

// Paths a hostile user hands over: each is reported (or escaped), none hangs or lies.
struct HostileCheck {
  const char* name;
  std::function<void(const fs::path&)> build;  // makes the tree below the root
  std::vector<std::string> args;               // "@" stands for the root
  std::string out;                             // "@" as above
  int status;
  std::vector<std::string> messages;           // each must appear on standard error
  bool asNobody = false;                       // run as an ordinary user (root reads anything)
};

TEST_F(CliCheckTest, HostilePathsAreReportedAndNothingHangs) {
  const std::string tooLong(300, 'x');
  const std::vector<HostileCheck> cases = {
      {"a pipe and a device in the walk and given",
       [](const fs::path& root) {
         Write(root / "a.txt", "a\n");
         ASSERT_EQ(::mkfifo((root / "pipe").c_str(), 0644), 0);
       },
       {"check", "--readsize", "0", "@", "@/pipe", "/dev/zero"},
       "@/a.txt\tASCII\tLF\n",
       1,
       {"not a regular file, skipped: @/pipe\n", "not a regular file, skipped: /dev/zero\n"}},
      {"missing path, dangling link, name past the limit",
       [](const fs::path& root) {
         Write(root / "a.txt", "a\n");
         fs::create_symlink("nowhere", root / "dangling");
       },
       {"check", "@/missing", "@", "@/" + tooLong},
       "@/a.txt\tASCII\tLF\n",
       1,
       {"no such file or folder: @/missing\n", "no such file or folder: @/dangling\n",
        "name too long: @/" + tooLong + "\n"}},
      {"a folder that cannot be listed",
       [](const fs::path& root) {
         fs::create_directories(root / "shut");
         Write(root / "shut" / "a.txt", "a\n");
         fs::permissions(root, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
         fs::permissions(root / "shut", fs::perms::owner_all);
       },
       {"check", "@"},
       "",
       1,
       {"cannot list folder: @/shut\n"},
       true},
      {"names with TAB, LF, a backslash and bytes that are not UTF-8",
       [](const fs::path& root) {
         Write(root / "a\tb", "1\n");
         Write(root / "c\nd", "2\n");
         Write(root / "e\\f", "3\n");
         Write(root / "g\x82\xA0", "4\n");
       },
       {"check", "@"},
       "@/a\\tb\tASCII\tLF\n@/c\\nd\tASCII\tLF\n@/e\\\\f\tASCII\tLF\n@/g\\x82\\xA0\tASCII\tLF\n",
       0,
       {}},
      {"ignore entries that backtrack without end, or need to",
       [](const fs::path& root) { Write(root / (std::string(200, 'a') + "!"), "a\n"); },
       {"check", "--regex", "--ignore", "(a+)+$", "--ignore", "(a)\\1", "@"},
       "@/" + std::string(200, 'a') + "!\tASCII\tLF\n",
       1,
       {"ignore entry not used (a back-reference cannot be matched in bounded time): (a)\\1\n"}},
      {"the same as fields ended by NUL",
       [](const fs::path& root) { Write(root / "a\tb", "1\n"); },
       {"check", "--null", "@"},
       "@/a\tb\0ASCII\0LF\0"s,
       0,
       {}},
  };
  for (const HostileCheck& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path root = root_ / c.name;
    fs::create_directories(root);
    c.build(root);
    std::vector<std::string> args;
    for (const std::string& arg : c.args) args.push_back(Rooted(arg, root));
    const bool drop = c.asNobody && ::geteuid() == 0;
    if (drop) fs::permissions(root_, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    const CliRun run = cli_test::RunCli(
        args, root_ / "run", drop ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "");
    EXPECT_EQ(run.out, Rooted(c.out, root));
    EXPECT_EQ(run.status, c.status) << run.err;
    for (const std::string& message : c.messages)
      EXPECT_NE(run.err.find(Rooted(message, root)), std::string::npos) << run.err;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
    if (fs::exists(root / "shut")) fs::permissions(root / "shut", fs::perms::owner_all);
  }
}

TEST_F(CliCheckTest, HelpAndUsageErrors) {
  const CliRun help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("zentrel-cli check"), std::string::npos);

  const CliRun unknown = Cli({"check", "--frobnicate", root_.string()});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_TRUE(unknown.out.empty());
  EXPECT_NE(unknown.err.find("--frobnicate"), std::string::npos);

  EXPECT_EQ(Cli({"convert", root_.string()}).status, 2);
}

}  // namespace
