// zentrel-cli convert: its options, and the line a failure is reported at.
#include <gtest/gtest.h>

#include <algorithm>

#include "command_line.h"
#include "conversion_failure.h"
#include "text_utf8.h"

namespace zentrel::cli {
namespace {

Command Parse(std::vector<std::wstring> args) { return ParseCommandLine(args); }

TEST(ConvertCommandLine, ChoicesAreNumberedAsTheDropDowns) {
  const Command c = Parse({L"convert", L"--to", L"utf16be", L"--eol=cr", L"--no-bom", L"--out",
                           L"o", L"--dry-run", L"--ignore", L".bak", L"--select", L"a", L"b"});
  ASSERT_EQ(c.kind, CommandKind::Convert) << WideToUtf8(c.error);
  EXPECT_EQ(c.convert.encodingChoice, 4);
  EXPECT_EQ(c.convert.eolChoice, 1);
  EXPECT_EQ(c.convert.bom, false);
  EXPECT_EQ(c.convert.outputFolder, L"o");
  EXPECT_TRUE(c.convert.dryRun);
  EXPECT_EQ(c.convert.walk.ignore, std::vector<std::wstring>{L".bak"});
  EXPECT_TRUE(c.convert.walk.select);
  EXPECT_EQ(c.convert.walk.paths, (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_EQ(c.convert.walk.readSize, 0) << "whole files are guessed";
  EXPECT_EQ(Parse({L"convert", L"--eol", L"lf", L"--readsize=1000", L"x"}).convert.walk.readSize,
            1000);

  const wchar_t* const targets[] = {L"sjis", L"eucjp", L"utf8", L"utf16le", L"utf16be", L"jis"};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(Parse({L"convert", L"--to", targets[i], L"x"}).convert.encodingChoice, i);
  const wchar_t* const eols[] = {L"crlf", L"cr", L"lf"};
  for (int i = 0; i < 3; ++i) {
    const Command eolOnly = Parse({L"convert", L"--eol", eols[i], L"x"});
    EXPECT_EQ(eolOnly.convert.eolChoice, i);
    EXPECT_EQ(eolOnly.convert.encodingChoice, -1);
    EXPECT_FALSE(eolOnly.convert.bom.has_value());
  }
}

TEST(ConvertCommandLine, MistakesAreUsageErrors) {
  const std::vector<std::vector<std::wstring>> wrong = {
      {L"convert", L"x"},                               // nothing to convert to
      {L"convert", L"--to", L"utf8"},                   // no path
      {L"convert", L"--to", L"UTF8", L"x"},             // the names are lower case
      {L"convert", L"--eol", L"crlf", L"--bom", L"x"},  // no Unicode target for the mark
      {L"convert", L"--to", L"jis", L"--no-bom", L"x"},
      {L"convert", L"--to", L"utf8", L"--bom", L"--no-bom", L"x"},
      {L"convert", L"--to", L"utf8", L"--out", L"", L"x"},
      {L"convert", L"--to", L"utf8", L"--out"},
      {L"convert", L"--to", L"utf8", L"--dry-run=1", L"x"},
      {L"convert", L"--to", L"utf8", L"--readsize", L"5k", L"x"},
  };
  for (const auto& args : wrong) {
    const Command c = Parse(args);
    EXPECT_EQ(c.kind, CommandKind::UsageError) << WideToUtf8(args[args.size() - 1]);
    EXPECT_FALSE(c.error.empty());
  }
}

std::uint64_t LineAfter(nkf::Encoding input, const std::string& bytes, std::size_t split) {
  split = std::min(split, bytes.size());
  LineCounter counter(input);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  counter.Feed(std::span(data, split));
  counter.Feed(std::span(data + split, bytes.size() - split));
  return counter.line();
}

TEST(LineCounter, CountsCrLfCrAndLfOnceEachInCodeUnits) {
  for (std::size_t split : {0, 1, 3, 5}) {
    EXPECT_EQ(LineAfter(nkf::Encoding::ShiftJis, "a\r\nb\rc\nd", split), 4u) << split;
    EXPECT_EQ(LineAfter(nkf::Encoding::ShiftJis, "\r\r\n\n", split), 4u) << split;
  }
  // U+0A0D and U+0D0A are ordinary characters; only whole units end lines.
  const std::string le("\x0D\x0A\x0A\x0D\x0D\x00\x0A\x00\x0A\x00", 10);
  const std::string be("\x0A\x0D\x0D\x0A\x00\x0D\x00\x0A\x00\x0A", 10);
  for (std::size_t split : {0, 1, 5, 7}) {
    EXPECT_EQ(LineAfter(nkf::Encoding::Utf16LE, le, split), 3u) << split;
    EXPECT_EQ(LineAfter(nkf::Encoding::Utf16BE, be, split), 3u) << split;
  }
  const std::string le32("\x0A\x00\x00\x00\x00\x0A\x00\x00", 8);
  EXPECT_EQ(LineAfter(nkf::Encoding::Utf32LE, le32, 3), 2u);
}

TEST(DescribeFailure, NamesTheCharacterLineAndByte) {
  nkf::ConvertResult unrepresentable;
  unrepresentable.error = nkf::ConvertError::Unrepresentable;
  unrepresentable.codePoint = 0x2460;
  EXPECT_EQ(DescribeFailure(unrepresentable, "EUC-JP", 12),
            "character U+2460 at line 12 cannot be written in EUC-JP");
  nkf::ConvertResult invalid;
  invalid.error = nkf::ConvertError::InvalidInput;
  invalid.input = nkf::Encoding::EucJp;
  invalid.position = 17;
  EXPECT_EQ(DescribeFailure(invalid, "UTF-8", 0), "invalid EUC-JP byte at offset 17");
}

}  // namespace
}  // namespace zentrel::cli
