// zentrel-cli convert end to end on Linux: a tree written by Python's codecs, converted by the real
// program, compared byte for byte with what the codecs give for every target and line ending.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli_run.h"

namespace {

using namespace cli_test;

// The fixture tree and its expected conversions, generated once for the whole suite.
class CliConvertTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fixtures_ = new TempTree();
    const std::string command =
        "python3 " + Quote(MAKE_FIXTURES_SCRIPT) + " " + Quote(fixtures_->root().string());
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  static void TearDownTestSuite() {
    delete fixtures_;
    fixtures_ = nullptr;
  }

  static fs::path Source() { return fixtures_->root() / "source"; }
  static fs::path Expected(const std::string& name) {
    return fixtures_->root() / "expected" / name;
  }

  // A copy of the source tree to convert.
  fs::path CopyOfSource(const std::string& name) {
    const fs::path copy = work_.root() / name;
    fs::copy(Source(), copy, fs::copy_options::recursive);
    return copy;
  }

  CliRun Cli(const std::vector<std::string>& args) { return RunCli(args, work_.root()); }

  // "--to X --eol Y [--bom|--no-bom]" from an expectation's name "X_Y[_bom|_nobom]".
  static std::vector<std::string> ArgsFor(const std::string& name) {
    std::vector<std::string> parts;
    std::stringstream split(name);
    for (std::string part; std::getline(split, part, '_');) parts.push_back(part);
    std::vector<std::string> args = {"convert"};
    if (parts[0] != "keep") args.insert(args.end(), {"--to", parts[0]});
    if (parts[1] != "keep") args.insert(args.end(), {"--eol", parts[1]});
    if (parts.size() > 2) args.push_back(parts[2] == "bom" ? "--bom" : "--no-bom");
    return args;
  }

  static TempTree* fixtures_;
  TempTree work_;
};

TempTree* CliConvertTest::fixtures_ = nullptr;

std::size_t CountLines(const std::string& text, const std::string& suffix) {
  std::size_t count = 0;
  std::stringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line.size() >= suffix.size() &&
        line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0)
      ++count;
  return count;
}

TEST_F(CliConvertTest, EveryTargetAndLineEndingInPlaceMatchesTheCodecs) {
  std::size_t checked = 0;
  for (const auto& entry : fs::directory_iterator(Expected(""))) {
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    const fs::path tree = CopyOfSource(name);
    std::vector<std::string> args = ArgsFor(name);
    args.push_back(tree.string());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto expected = Tree(entry.path());
    EXPECT_EQ(CountLines(run.out, "\tsuccess"), expected.size()) << run.out;
    const auto got = Tree(tree);
    ASSERT_EQ(got.size(), expected.size());
    for (const auto& [path, bytes] : expected) EXPECT_EQ(got.at(path), bytes) << path;
    ++checked;
  }
  EXPECT_EQ(checked, 30u);
}

TEST_F(CliConvertTest, PrintsEveryFileInWalkOrderWithItsOutcome) {
  const fs::path tree = CopyOfSource("tree");
  const CliRun run = Cli({"convert", "--eol", "lf", tree.string()});
  const std::string t = tree.string();
  EXPECT_EQ(run.out, t + "/a.txt\tsuccess\n" + t + "/d.txt\tsuccess\n" + t + "/e.txt\tsuccess\n" +
                         t + "/f.txt\tsuccess\n" + t + "/sub/b.txt\tsuccess\n" + t +
                         "/sub/deeper/c.txt\tsuccess\n");
  EXPECT_EQ(run.status, 0);
}

TEST_F(CliConvertTest, IntoAnOutputFolderKeepsSubFoldersBelowEachPath) {
  for (const std::string name : {"eucjp_crlf", "utf16be_lf", "keep_cr"}) {
    SCOPED_TRACE(name);
    const fs::path tree = CopyOfSource(name);
    const fs::path lone = work_.root() / (name + "-lone") / "deep" / "lone.txt";
    Write(lone, "lone file\r\n");
    const fs::path out = work_.root() / (name + "-out") / "nested";
    std::vector<std::string> args = ArgsFor(name);
    // A folder given with a trailing separator, and a single file from elsewhere: its own path is
    // its root, so it lands directly in the output folder.
    args.insert(args.end(), {"--out", out.string(), tree.string() + "/", lone.string()});
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 0) << run.err;

    auto expected = Tree(Expected(name));
    auto got = Tree(out);
    ASSERT_EQ(got.count("lone.txt"), 1u) << run.out;
    got.erase("lone.txt");
    EXPECT_EQ(got, expected);
    EXPECT_EQ(Tree(tree), Tree(Source())) << "the sources are left alone";
  }
}

TEST_F(CliConvertTest, OutputFolderInsideTheTreeIsNotWalkedAgain) {
  const fs::path tree = CopyOfSource("tree");
  const CliRun run =
      Cli({"convert", "--to", "utf8", "--out", (tree / "out").string(), tree.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(CountLines(run.out, "\tsuccess"), 6u) << run.out;
  EXPECT_EQ(Tree(tree / "out").size(), 6u);
  EXPECT_FALSE(fs::exists(tree / "out" / "out"));
}

const std::string kEmojiUtf8 = "first\nsecond\nthird \xF0\x9F\x98\x80 here\nfourth\n";
// UTF-16LE with CR LF: U+4E0A on line 1 holds a 0x0A byte that is not a line end; U+1F600 on
// line 2.
const std::string kEmojiUtf16 =
    std::string("\xFF\xFE\x0A\x4E\x0D\x00\x0A\x00x\x00\x3D\xD8\x00\xDE\x0D\x00\x0A\x00", 18);

TEST_F(CliConvertTest, UnrepresentableCharacterIsAnErrorWithItsLineAndLeavesTheFile) {
  const fs::path tree = work_.root() / "tree";
  Write(tree / "emoji.txt", kEmojiUtf8);
  Write(tree / "wide.txt", kEmojiUtf16);
  Write(tree / "good.txt", "fine\r\n");
  const CliRun run = Cli({"convert", "--to", "sjis", "--eol", "lf", tree.string()});
  EXPECT_EQ(run.status, 1);
  const std::string t = tree.string();
  EXPECT_EQ(run.out,
            t + "/emoji.txt\tERROR\n" + t + "/good.txt\tsuccess\n" + t + "/wide.txt\tERROR\n");
  EXPECT_NE(run.err.find("emoji.txt: character U+1F600 at line 3 cannot be written in Shift_JIS"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("wide.txt: character U+1F600 at line 2 cannot be written in Shift_JIS"),
            std::string::npos)
      << run.err;
  const auto after = Tree(tree);
  EXPECT_EQ(after.size(), 3u) << "no temporary file left behind";
  EXPECT_EQ(after.at("emoji.txt"), kEmojiUtf8);
  EXPECT_EQ(after.at("wide.txt"), kEmojiUtf16);
  EXPECT_EQ(after.at("good.txt"), "fine\n");
}

TEST_F(CliConvertTest, DryRunWritesNothingAndReportsWhatWouldFail) {
  const fs::path tree = CopyOfSource("tree");
  Write(tree / "sub" / "emoji.txt", kEmojiUtf8);
  const auto before = Tree(tree);
  const fs::path out = work_.root() / "out";
  for (const std::vector<std::string>& extra :
       {std::vector<std::string>{}, {"--out", out.string()}}) {
    std::vector<std::string> args = {"convert", "--dry-run", "--to", "jis", "--eol", "crlf"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(tree.string());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("/sub/emoji.txt\tERROR\n"), std::string::npos) << run.out;
    EXPECT_EQ(CountLines(run.out, "\tsuccess"), 6u) << run.out;
    EXPECT_NE(run.err.find("character U+1F600 at line 3 cannot be written in ISO-2022-JP"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(Tree(tree), before);
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(CliConvertTest, BinaryAndReadOnlyFilesAreSkippedUntouched) {
  const fs::path tree = work_.root() / "tree";
  const std::string binary("\x82\xA0\x00\x01\x02\x00text\r\n", 11);
  Write(tree / "binary.dat", binary);
  Write(tree / "locked.txt", "locked\r\n");
  ::chmod((tree / "locked.txt").c_str(), 0444);
  const CliRun run = Cli({"convert", "--to", "utf16le", tree.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string t = tree.string();
  EXPECT_EQ(run.out, t + "/binary.dat\tskip\n" + t + "/locked.txt\tskip\n");
  EXPECT_NE(run.err.find("locked.txt: read-only"), std::string::npos) << run.err;
  EXPECT_EQ(ReadAll(tree / "binary.dat"), binary);
  EXPECT_EQ(ReadAll(tree / "locked.txt"), "locked\r\n");

  // Into another folder a read-only source is only read.
  const CliRun copy =
      Cli({"convert", "--eol", "lf", "--out", (work_.root() / "out").string(), tree.string()});
  EXPECT_EQ(copy.status, 0) << copy.err;
  EXPECT_EQ(ReadAll(work_.root() / "out" / "locked.txt"), "locked\n");
}

TEST_F(CliConvertTest, AFileGuessedOnlyInPartIsConvertedAsItsWholeBytesSay) {
  // ASCII over the first 1000 bytes, Shift_JIS after them ("\x82\xa0" is U+3042).
  const std::string head(1200, 'a');
  const fs::path tree = work_.root() / "tree";
  Write(tree / "late.txt", head + "\x82\xa0\r\n");
  Write(tree / "short.txt", "\x82\xa0\r\n");
  const CliRun run =
      Cli({"convert", "--readsize", "1000", "--to", "utf8", "--eol", "lf", tree.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string t = tree.string();
  EXPECT_EQ(run.out, t + "/late.txt\tsuccess\n" + t + "/short.txt\tsuccess\n");
  EXPECT_EQ(ReadAll(tree / "late.txt"), head + "\xE3\x81\x82\n");
  EXPECT_EQ(ReadAll(tree / "short.txt"), "\xE3\x81\x82\n");
}

TEST_F(CliConvertTest, AFileMetTwiceIsGuessedAgainAfterItsFirstConversion) {
  // Shift_JIS to EUC-JP keeps the length; the EUC-JP bytes ("\xa4\xa2") read as Shift_JIS
  // half-width kana, so a guess kept from the walk would convert them a second time.
  const fs::path file = work_.root() / "tree" / "twice.txt";
  Write(file, "\x82\xa0\x82\xa2\r\n");
  const CliRun run = Cli({"convert", "--to", "eucjp", file.string(), file.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, file.string() + "\tsuccess\n" + file.string() + "\tsuccess\n");
  EXPECT_EQ(ReadAll(file), "\xa4\xa2\xa4\xa4\r\n");
}

TEST_F(CliConvertTest, UnreadableFileAndUsageErrors) {
  const fs::path tree = work_.root() / "tree";
  Write(tree / "a.txt", "a\n");
  ::chmod((tree / "a.txt").c_str(), 0);
  if (::geteuid() != 0) {  // root reads anything
    const CliRun run = Cli({"convert", "--eol", "crlf", tree.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, tree.string() + "/a.txt\tERROR\n");
    EXPECT_NE(run.err.find("cannot open file for reading"), std::string::npos);
  }
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"convert", tree.string()},
           {"convert", "--to", "latin1", tree.string()},
           {"convert", "--eol", "crcr", tree.string()},
           {"convert", "--to", "sjis", "--bom", tree.string()},
           {"convert", "--to", "utf8", "--bom", "--no-bom", tree.string()},
           {"convert", "--to", "utf8"},
           {"convert", "--to", "utf8", "--readsize", "all", tree.string()},
       }) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2) << args.back();
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Usage:"), std::string::npos);
  }
}

}  // namespace
