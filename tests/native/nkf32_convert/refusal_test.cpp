// A conversion that would lose or invent a character fails, says why and where, and writes nothing.
#include <gtest/gtest.h>

#include "test_support.h"

namespace nkf::test {
namespace {

struct Refusal {
  const char* name;
  Bytes input;
  Encoding from;
  const char* options;
  ConvertError error;
  std::uint64_t position;
  char32_t codePoint;
};

TEST(Refusals, ReportKindPositionAndCharacterAndWriteNothing) {
  const Refusal cases[] = {
      {"emoji into Shift_JIS", B("ab\xf0\x9f\x98\x80"), Encoding::Utf8, "-s", ConvertError::Unrepresentable, 2, 0x1F600},
      {"copyright into Shift_JIS", B("x\xc2\xa9"), Encoding::Utf8, "-s", ConvertError::Unrepresentable, 1, 0xA9},
      {"euro into EUC-JP", B("\xe2\x82\xac"), Encoding::Utf8, "-e", ConvertError::Unrepresentable, 0, 0x20AC},
      {"circled one into EUC-JP", B("a\x87\x40"), Encoding::Cp932, "-e", ConvertError::Unrepresentable, 1, 0x2460},
      {"yen sign into Shift_JIS", B("\xc2\xa5"), Encoding::Utf8, "-s", ConvertError::Unrepresentable, 0, 0xA5},
      {"JIS X 0212 into Shift_JIS", B("ab\x8f\xb0\xa1"), Encoding::EucJp, "-s", ConvertError::Unrepresentable, 2, 0x4E02},
      {"JIS X 0212 into ISO-2022-JP", B("\x8f\xb0\xa1"), Encoding::EucJp, "-j", ConvertError::Unrepresentable, 0, 0x4E02},
      {"escape into ISO-2022-JP", B("a\x1b[0m"), Encoding::Utf8, "-j", ConvertError::Unrepresentable, 1, 0x1B},
      {"shift-in into ISO-2022-JP", B("\xb1\x0f"), Encoding::ShiftJis, "-jLu", ConvertError::Unrepresentable, 1, 0x0F},
      {"both wave dashes into Shift_JIS", B("\xe3\x80\x9c\xef\xbd\x9e"), Encoding::Utf8, "-s",
       ConvertError::Unrepresentable, 3, 0xFF5E},
      {"both wave dashes into EUC-JP", B("\xef\xbd\x9e" "a\xe3\x80\x9c"), Encoding::Utf8, "-e",
       ConvertError::Unrepresentable, 4, 0x301C},
      {"line end then emoji, after CR LF to CR", B("a\r\n\xf0\x9f\x98\x80"), Encoding::Utf8, "-sLm",
       ConvertError::Unrepresentable, 3, 0x1F600},
      {"bad UTF-8 continuation", B("abc\xe3\x81z"), Encoding::Utf8, "-s", ConvertError::InvalidInput, 3, 0},
      {"UTF-8 overlong", B("\xc0\xaf"), Encoding::Utf8, "-w16L", ConvertError::InvalidInput, 0, 0},
      {"UTF-8 surrogate", B("a\xed\xa0\x80"), Encoding::Utf8, "-w16L", ConvertError::InvalidInput, 1, 0},
      {"UTF-8 cut off at the end", B("ab\xe3\x81"), Encoding::Utf8, "-s", ConvertError::InvalidInput, 2, 0},
      {"UTF-8 invalid while keeping the encoding", B("ok\r\n\xff"), Encoding::Utf8, "-Lu", ConvertError::InvalidInput, 4, 0},
      {"Shift_JIS bad trail byte", B("a\x81\x20"), Encoding::ShiftJis, "-w80", ConvertError::InvalidInput, 1, 0},
      {"Shift_JIS lead byte at the end", B("ab\x82"), Encoding::ShiftJis, "-Lw", ConvertError::InvalidInput, 2, 0},
      {"CP932 unassigned code", B("\x85\x40"), Encoding::Cp932, "-w80", ConvertError::InvalidInput, 0, 0},
      {"CP932 unassigned code while keeping the encoding", B("ab\r\n\x82\xa0\x85\x40"), Encoding::Cp932, "-Lu",
       ConvertError::InvalidInput, 6, 0},
      {"EUC-JP stray byte", B("\xa4\xa2\x80"), Encoding::EucJp, "-w80", ConvertError::InvalidInput, 2, 0},
      {"EUC-JP cut-off SS3", B("\x8f\xb0"), Encoding::EucJp, "-w80", ConvertError::InvalidInput, 0, 0},
      {"ISO-2022-JP unknown escape", B("a\x1b$Z"), Encoding::Iso2022Jp, "-w80", ConvertError::InvalidInput, 1, 0},
      {"ISO-2022-JP eight-bit byte", B("\x1b$B\xb0\xa1"), Encoding::Iso2022Jp, "-w80", ConvertError::InvalidInput, 3, 0},
      {"UTF-16 lone low surrogate", B(std::string("a\0\x00\xdc", 4)), Encoding::Utf16LE, "-w80",
       ConvertError::InvalidInput, 2, 0},
      {"UTF-16 odd length", B(std::string("a\0b", 3)), Encoding::Utf16LE, "-w80", ConvertError::InvalidInput, 2, 0},
      {"UTF-32 beyond Unicode", B(std::string("\0\0\0a\0\x11\0\0", 8)), Encoding::Utf32BE, "-w80",
       ConvertError::InvalidInput, 4, 0},
      {"binary data", B(std::string("\0\1\2", 3)), Encoding::Binary, "-w80", ConvertError::InvalidInput, 0, 0},
  };
  for (const Refusal& c : cases) {
    Bytes out = B("stale");
    ConvertResult r = ConvertAs(c.input, c.from, c.options, out);
    EXPECT_EQ(r.error, c.error) << c.name;
    EXPECT_EQ(r.position, c.position) << c.name;
    if (c.error == ConvertError::Unrepresentable) {
      EXPECT_EQ(r.codePoint, c.codePoint) << c.name;
    }
    EXPECT_TRUE(out.empty()) << c.name;
  }
}

TEST(Refusals, PositionCountsAcrossBlocksAndChunks) {
  Bytes big(300000, 'a');
  big.insert(big.end(), {0xF0, 0x9F, 0x98, 0x80});
  Bytes out;
  ConvertResult r = ConvertAs(big, Encoding::Utf8, "-s", out);
  EXPECT_EQ(r.error, ConvertError::Unrepresentable);
  EXPECT_EQ(r.position, 300000u);
  Bytes bad(200001, 'b');
  bad[200000] = 0xFF;
  r = ConvertAs(bad, Encoding::Utf8, "-e", out);
  EXPECT_EQ(r.error, ConvertError::InvalidInput);
  EXPECT_EQ(r.position, 200000u);
}

TEST(Refusals, TheSameVariantTwiceIsFine) {
  EXPECT_EQ(Convert(B("\xef\xbd\x9e\xef\xbd\x9e\xe3\x80\x9c"), Encoding::Utf8, "-s"), B("<failed>"));
  EXPECT_EQ(Convert(B("\xef\xbd\x9e\xef\xbd\x9e"), Encoding::Utf8, "-s"), B("\x81\x60\x81\x60"));
  EXPECT_EQ(Convert(B("\xe3\x80\x9c\xe3\x80\x9c"), Encoding::Utf8, "-j"), B("\x1b$B!A!A\x1b(B"));
}

TEST(Refusals, GuessOnlyConvertsNothing) {
  Bytes out = B("stale");
  ConvertResult r = ConvertBuffer(B("\xef\xbb\xbf" "abc"), Opts("-g"), out);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.input, Encoding::Utf8);
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace nkf::test
