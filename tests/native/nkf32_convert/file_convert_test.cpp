// File conversion: the destination changes only on success, all at once; nothing is left behind.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "nkf32/file_convert.h"
#include "test_support.h"

namespace nkf::test {
namespace {

namespace fs = std::filesystem;

class FileConvert : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("nkf32_file_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const char* name, const Bytes& data) {
    fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                              static_cast<std::streamsize>(data.size()));
    return p;
  }
  static Bytes Read(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

const Bytes kUtf8Text = B("\xef\xbb\xbf\xe3\x81\x82\r\nb\r\n");
const Bytes kUtf8Bad = B("\xef\xbb\xbf\xe3\x81\x82\r\n\xff");
const Bytes kUtf8Emoji = B("\xef\xbb\xbf" "a\xf0\x9f\x98\x80");

TEST_F(FileConvert, InPlaceRewritesTheFileAndLeavesNothingElse) {
  fs::path f = Write("a.txt", kUtf8Text);
  ConvertResult r = ConvertFile(f, f, Opts("-w80Lu"));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(Read(f), B("\xe3\x81\x82\nb\n"));
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FileConvert, IntoAnotherFileLeavesTheSourceAndReplacesTheTarget) {
  fs::path src = Write("src.txt", kUtf8Text);
  fs::path dst = Write("dst.txt", B("old contents"));
  ASSERT_TRUE(ConvertFile(src, dst, Opts("-s")).ok());
  EXPECT_EQ(Read(dst), B("\x82\xa0\r\nb\r\n"));
  EXPECT_EQ(Read(src), kUtf8Text);
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(FileConvert, SameFileByAnotherSpellingIsSafe) {
  fs::path f = Write("same.txt", kUtf8Text);
  ASSERT_TRUE(ConvertFile(f, dir_ / "." / "same.txt", Opts("-w16L0")).ok());
  EXPECT_EQ(Read(f), B(std::string("\x42\x30\r\0\n\0b\0\r\0\n\0", 12)));
  EXPECT_EQ(EntryCount(), 1u);
}

// Replaced under one name, a file with hard links would part from its other names, which would keep
// the old text: in place it is refused; written elsewhere it is only read.
TEST_F(FileConvert, InPlaceAFileWithSeveralNamesIsRefusedAndElsewhereConverted) {
  fs::path f = Write("linked.txt", kUtf8Text);
  fs::create_hard_link(f, dir_ / "other.txt");
  const ConvertResult inPlace = ConvertFile(f, f, Opts("-w80Lu"));
  EXPECT_EQ(inPlace.error, ConvertError::SeveralNames);
  EXPECT_EQ(Read(f), kUtf8Text);
  EXPECT_EQ(Read(dir_ / "other.txt"), kUtf8Text);
  EXPECT_EQ(EntryCount(), 2u);
  ASSERT_TRUE(ConvertFile(f, dir_ / "out.txt", Opts("-w80Lu")).ok());
  EXPECT_EQ(Read(dir_ / "out.txt"), B("\xe3\x81\x82\nb\n"));
}

TEST_F(FileConvert, FailuresLeaveEveryFileByteForByteAsItWas) {
  struct Case {
    const char* name;
    Bytes source;
    const char* options;
    ConvertError error;
    std::uint64_t position;
  };
  const Case cases[] = {{"invalid input", kUtf8Bad, "-s", ConvertError::InvalidInput, 8},
                        {"unrepresentable", kUtf8Emoji, "-sLw", ConvertError::Unrepresentable, 4}};
  for (const Case& c : cases) {
    fs::path src = Write("src.txt", c.source);
    fs::path dst = Write("dst.txt", B("precious"));
    ConvertResult r = ConvertFile(src, dst, Opts(c.options));
    EXPECT_EQ(r.error, c.error) << c.name;
    EXPECT_EQ(r.position, c.position) << c.name;
    EXPECT_EQ(Read(dst), B("precious")) << c.name;
    EXPECT_EQ(Read(src), c.source) << c.name;
    r = ConvertFile(src, src, Opts(c.options));
    EXPECT_EQ(r.error, c.error) << c.name << " in place";
    EXPECT_EQ(Read(src), c.source) << c.name << " in place";
    EXPECT_EQ(EntryCount(), 2u) << c.name;
  }
}

TEST_F(FileConvert, MissingSourceOrFolderIsAnIoFailure) {
  fs::path dst = Write("dst.txt", B("precious"));
  EXPECT_EQ(ConvertFile(dir_ / "missing.txt", dst, Opts("-s")).error, ConvertError::Io);
  EXPECT_EQ(Read(dst), B("precious"));
  fs::path src = Write("src.txt", kUtf8Text);
  EXPECT_EQ(ConvertFile(src, dir_ / "no" / "such" / "dst.txt", Opts("-s")).error, ConvertError::Io);
  EXPECT_EQ(ConvertFile(dir_, dst, Opts("-s")).error, ConvertError::Io);
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(FileConvert, GuessOnlyWritesNothing) {
  fs::path src = Write("src.txt", kUtf8Text);
  fs::path dst = dir_ / "dst.txt";
  ConvertResult r = ConvertFile(src, dst, Opts("-g"));
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.input, Encoding::Utf8);
  EXPECT_FALSE(fs::exists(dst));
}

TEST_F(FileConvert, AGivenInputEncodingIsTakenAsIsNotGuessedAgain) {
  // Guessed alone these bytes are EUC-JP HIRAGANA A; the caller says CP932: two half-width marks.
  const Bytes bytes = B("\xa4\xa2\r\n");
  fs::path src = Write("src.txt", bytes);
  fs::path dst = dir_ / "dst.txt";
  const GuessResult cp932{Encoding::Cp932, false, bytes.size()};
  ConvertResult r = ConvertFile(src, dst, Opts("-w80Lu"), cp932);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.input, Encoding::Cp932);
  EXPECT_EQ(Read(dst), B("\xef\xbd\xa4\xef\xbd\xa2\n"));
  EXPECT_EQ(Read(src), bytes);
  EXPECT_EQ(ConvertFile(src, dst, Opts("-w80Lu")).input, Encoding::EucJp);
  EXPECT_EQ(Read(dst), B("\xe3\x81\x82\n"));

  // A byte-order mark is skipped when the caller's verdict says there is one.
  fs::path f = Write("bom.txt", kUtf8Text);
  ASSERT_TRUE(ConvertFile(f, f, Opts("-s"), GuessResult{Encoding::Utf8, true, 3}).ok());
  EXPECT_EQ(Read(f), B("\x82\xa0\r\nb\r\n"));
  EXPECT_EQ(EntryCount(), 3u);
}

TEST_F(FileConvert, AGivenInputEncodingFailsAsTheBufferConversionDoes) {
  const GuessResult utf8{Encoding::Utf8, true, kUtf8Bad.size()};
  Bytes inMemory;
  ConvertResult expected = ConvertWithGuess(kUtf8Bad, utf8, Opts("-s"), inMemory);
  ASSERT_EQ(expected.error, ConvertError::InvalidInput);
  fs::path src = Write("src.txt", kUtf8Bad);
  fs::path dst = Write("dst.txt", B("precious"));
  ConvertResult r = ConvertFile(src, dst, Opts("-s"), utf8);
  EXPECT_EQ(r.error, expected.error);
  EXPECT_EQ(r.position, expected.position);
  EXPECT_EQ(Read(dst), B("precious"));
  EXPECT_EQ(ConvertFile(src, dst, Opts("-s"), GuessResult{Encoding::Binary, false, 0}).error,
            ConvertError::InvalidInput);
  EXPECT_EQ(ConvertFile(dir_ / "missing.txt", dst, Opts("-s"), utf8).error, ConvertError::Io);
  EXPECT_EQ(Read(dst), B("precious"));
  r = ConvertFile(src, dir_ / "new.txt", Opts("-g"), utf8);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.input, Encoding::Utf8);
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(FileConvert, ReplacementKeepsThePermissionsOfTheFileItReplaces) {
  fs::path f = Write("mode.txt", kUtf8Text);
  fs::permissions(f, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(ConvertFile(f, f, Opts("-Lu")).ok());
  EXPECT_EQ(fs::status(f).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileConvert, LargeFileStreamsInChunksAndEndsAsWhenHeldWhole) {
  Bytes big = B("\xef\xbb\xbf");
  Bytes line = B("\xe3\x81\x82\xe3\x81\x84 line\r\n");
  while (big.size() < 3 * 1024 * 1024) big.insert(big.end(), line.begin(), line.end());
  fs::path f = Write("big.txt", big);
  ASSERT_TRUE(ConvertFile(f, f, Opts("-sLu"), 1024 * 1024).ok());
  Bytes out = Read(f);
  std::size_t lines = (big.size() - 3) / line.size();
  EXPECT_EQ(out.size(), lines * 10);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 10), B("\x82\xa0\x82\xa2 line\n"));

  fs::path held = Write("held.txt", big);
  ASSERT_TRUE(ConvertFile(held, held, Opts("-sLu")).ok());
  EXPECT_EQ(Read(held), out);
  EXPECT_EQ(EntryCount(), 2u);
}

// A file that fits is read once and converted in memory, a larger one is read twice in chunks: both
// ways must give the same outcome, bytes and refusal for every input, the limit falling anywhere.
TEST_F(FileConvert, HeldWholeOrStreamedEveryOutcomeIsTheSame) {
  Bytes longBad = B("\xe3\x81\x82 text\r\n");
  while (longBad.size() < 300 * 1024) longBad.insert(longBad.end(), longBad.begin(), longBad.begin() + 10);
  longBad.push_back(0xff);
  Bytes longEmoji(longBad.begin(), longBad.end() - 1);
  for (char c : std::string("\xf0\x9f\x98\x80\r\n")) longEmoji.push_back(static_cast<std::uint8_t>(c));
  const Bytes inputs[] = {kUtf8Text, kUtf8Bad, kUtf8Emoji, B(""), B("\x82\xa0\r\x82\xa2\n"),
                          B(std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 10)), longBad, longEmoji};
  const char* optionTexts[] = {"-s", "-w80Lu", "-eLw", "-w16B0", "-Lm", "-g"};
  const std::size_t limits[] = {0, 1, 128 * 1024};
  int index = 0;
  for (const Bytes& input : inputs) {
    for (const char* options : optionTexts) {
      const std::string what = "input " + std::to_string(index) + " " + options;
      fs::path wholeSource = Write("whole.txt", input);
      fs::path wholeTarget = Write("whole.out", B("precious"));
      const ConvertResult expected = ConvertFile(wholeSource, wholeTarget, Opts(options));
      for (std::size_t limit : limits) {
        fs::path source = Write("streamed.txt", input);
        fs::path target = Write("streamed.out", B("precious"));
        const ConvertResult r = ConvertFile(source, target, Opts(options), limit);
        EXPECT_EQ(r.error, expected.error) << what << " limit " << limit;
        EXPECT_EQ(r.position, expected.position) << what << " limit " << limit;
        EXPECT_EQ(r.codePoint, expected.codePoint) << what << " limit " << limit;
        EXPECT_EQ(r.input, expected.input) << what << " limit " << limit;
        EXPECT_EQ(Read(target), Read(wholeTarget)) << what << " limit " << limit;
        EXPECT_EQ(Read(source), input) << what << " limit " << limit;
      }
      EXPECT_EQ(EntryCount(), 4u) << what;
    }
    ++index;
  }
}

}  // namespace
}  // namespace nkf::test
