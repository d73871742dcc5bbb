// Verdicts of the whole guesser on generated samples and hand-made edge cases.
#include <gtest/gtest.h>

#include <random>

#include "guess_test_support.h"

namespace nkf::test {
namespace {

TEST(GuessVerdict, EverySampleIsGuessedAsTheEncodingItWasWrittenIn) {
  for (const GuessSample& s : kGuessSamples)
    EXPECT_EQ(GuessEncoding(Bytes(s.bytes)).encoding, s.expected) << s.name;
}

TEST(GuessVerdict, EmptyInputIsAsciiDecidedAtZero) {
  const GuessResult r = Guess(""sv);
  EXPECT_EQ(r.encoding, Encoding::Ascii);
  EXPECT_EQ(r.decidedAt, 0u);
  EXPECT_EQ(EncodingName(r.encoding), "ASCII");
}

TEST(GuessVerdict, SevenBitTextIsAsciiUnlessEscapesDesignateJapanese) {
  EXPECT_EQ(Guess("plain text\r\n"sv).encoding, Encoding::Ascii);
  EXPECT_EQ(Guess("\x1b$B$3$s$K$A$O\x1b(B\r\n"sv).encoding, Encoding::Iso2022Jp);
  EXPECT_EQ(Guess("\x1b$@$3$s\x1b(J"sv).encoding, Encoding::Iso2022Jp);
  EXPECT_EQ(Guess("\x1b(I12345\x1b(B"sv).encoding, Encoding::Iso2022Jp);    // half-width kana set
  EXPECT_EQ(Guess("\x1b$(D0!\x1b(B"sv).encoding, Encoding::Iso2022Jp);      // JIS X 0212
  // Back to ASCII alone designates nothing; terminal colours are not ISO-2022-JP either.
  EXPECT_EQ(Guess("abc\x1b(Bdef"sv).encoding, Encoding::Ascii);
  EXPECT_EQ(Guess("\x1b[31mred\x1b[0m\n"sv).encoding, Encoding::Ascii);
  // An escape cut off at the end designates nothing yet.
  EXPECT_EQ(Guess("abc\x1b$"sv).encoding, Encoding::Ascii);
}

TEST(GuessVerdict, ByteOrderMarksDecideAtTheirLength) {
  struct Case {
    std::string_view bytes;
    Encoding encoding;
    std::uint64_t decidedAt;
  } const cases[] = {
      {"\xef\xbb\xbf"sv, Encoding::Utf8, 3},
      {"\xef\xbb\xbfplain"sv, Encoding::Utf8, 3},
      {"\xff\xfe"sv, Encoding::Utf16LE, 2},
      {"\xff\xfe\x42\x30"sv, Encoding::Utf16LE, 3},
      {"\xfe\xff\x30\x42"sv, Encoding::Utf16BE, 2},
      {"\xff\xfe\x00\x00\x42\x30\x00\x00"sv, Encoding::Utf32LE, 4},
      {"\x00\x00\xfe\xff\x00\x00\x30\x42"sv, Encoding::Utf32BE, 4},
  };
  for (const Case& c : cases) {
    const GuessResult r = Guess(c.bytes);
    EXPECT_EQ(r.encoding, c.encoding) << testing::PrintToString(c.bytes);
    EXPECT_TRUE(r.hasBom);
    EXPECT_EQ(r.decidedAt, c.decidedAt) << testing::PrintToString(c.bytes);
  }
  EXPECT_EQ(EncodingName(Guess("\xff\xfe\x00\x00"sv).encoding), "UTF-32");
  EXPECT_EQ(EncodingName(Guess("\xfe\xff"sv).encoding), "UTF-16");
  EXPECT_FALSE(Guess("\x82\xa0"sv).hasBom);
}

TEST(GuessVerdict, DecidedAtIsWhereTheLastRivalReadingFailed) {
  // "a" then hiragana A in Shift_JIS: 0x82 is invalid in UTF-8 and EUC-JP at byte 2.
  const GuessResult sjis = Guess("a\x82\xa0\x82\xa2"sv);
  EXPECT_EQ(sjis.encoding, Encoding::ShiftJis);
  EXPECT_EQ(sjis.decidedAt, 2u);
  // Shift_JIS reads these UTF-8 bytes too (E3 81, 82 E3, 81 84 are pairs): only the whole
  // input decides.
  const GuessResult utf8 = Guess("\xe3\x81\x82\xe3\x81\x84"sv);
  EXPECT_EQ(utf8.encoding, Encoding::Utf8);
  EXPECT_EQ(utf8.decidedAt, 6u);
  // Pure ASCII is never certain: a later byte could change it.
  EXPECT_EQ(Guess("abcdef"sv).decidedAt, 6u);
}

TEST(GuessVerdict, Cp932IsNamedOnlyForTheVendorRows) {
  EXPECT_EQ(Guess("\x87\x40\x82\xcc\x8d\x80"sv).encoding, Encoding::Cp932);        // NEC row 13
  EXPECT_EQ(Guess("\xed\x40\x82\xb3\x82\xf1"sv).encoding, Encoding::Cp932);        // NEC-selected IBM
  EXPECT_EQ(Guess("\xfa\x40\x82\xcc\x8d\x80"sv).encoding, Encoding::Cp932);        // IBM extension
  EXPECT_EQ(Guess("\x93\xfa\x96\x7b\x8c\xea\x82\xc5\x82\xb7"sv).encoding, Encoding::ShiftJis);
  EXPECT_EQ(EncodingName(Encoding::Cp932), "CP932");
}

TEST(GuessVerdict, Utf16WithoutBomIsFoundInBothByteOrders) {
  // ASCII in UTF-16: NUL bytes on one side.
  EXPECT_EQ(Guess("a\0b\0c\0\r\0\n\0"sv).encoding, Encoding::Utf16LE);
  EXPECT_EQ(Guess("\0a\0b\0c\0\r\0\n"sv).encoding, Encoding::Utf16BE);
  // One ASCII character is enough when the NUL byte is where UTF-16 puts it.
  EXPECT_EQ(Guess("a\0"sv).encoding, Encoding::Utf16LE);
  // Hiragana only: every byte is 7-bit, yet the kana units give it away.
  EXPECT_EQ(Guess("\x42\x30\x44\x30\x46\x30\x48\x30"sv).encoding, Encoding::Utf16LE);
  EXPECT_EQ(Guess("\x30\x42\x30\x44\x30\x46\x30\x48"sv).encoding, Encoding::Utf16BE);
  EXPECT_EQ(EncodingName(Encoding::Utf16BE), "UTF-16");
}

TEST(GuessVerdict, AsciiTextDoesNotPassForUtf16) {
  // Read two bytes at a time ASCII gives kanji, symbols and U+2020 for two spaces.
  for (std::string_view s : {"ab"sv, "abcd"sv, "      "sv, "0; i < 3"sv, "!= 0 ? 3 :"sv, "0x1F, 0x20"sv,
                             "Hello world"sv, "int main() { return 0; }\n"sv})
    EXPECT_EQ(Guess(s).encoding, Encoding::Ascii) << s;
}

TEST(GuessVerdict, NulBytesMakeBinaryUnlessRareInText) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "a line of ordinary text\r\n";
  std::string oneNul = text;
  oneNul[500] = '\0';
  // A stray NUL in text leaves the text's name; Zentrel's own NUL rule shows such a file as
  // binary when the name is not UTF-8 or UTF-16.
  EXPECT_EQ(Guess(oneNul).encoding, Encoding::Ascii);
  std::string manyNuls = text;
  for (std::size_t i = 0; i < manyNuls.size(); i += 37) manyNuls[i] = '\0';
  EXPECT_EQ(Guess(manyNuls).encoding, Encoding::Binary);
  EXPECT_EQ(Guess("\0"sv).encoding, Encoding::Binary);
  EXPECT_EQ(Guess("abc\0\x01\0\0\0def\0\x10\0\0\0"sv).encoding, Encoding::Binary);
  // ASCII strings between NUL bytes, as binary files hold them, are no UTF-16.
  EXPECT_EQ(Guess("name\0value\0other\0"sv).encoding, Encoding::Binary);
  EXPECT_EQ(Guess("\0\0\0\0\0\0\0\0"sv).encoding, Encoding::Binary);
}

TEST(GuessVerdict, ControlBytesAndRandomBytesAreBinary) {
  EXPECT_EQ(Guess("ab\x01\x02\x03\x04\x05\x06 cd\x10\x11\x12"sv).encoding, Encoding::Binary);
  std::mt19937 rng(7);
  for (int n : {16, 64, 1000, 100000}) {
    std::string random(static_cast<std::size_t>(n), '\0');
    for (char& c : random) c = static_cast<char>(rng());
    EXPECT_EQ(Guess(random).encoding, Encoding::Binary) << n << " random bytes";
  }
}

TEST(GuessVerdict, ControlsThatTextUsesAreNotBinary) {
  // Overstrike in formatted manual pages, form feeds, escapes of terminal colours.
  EXPECT_EQ(Guess("N\bNA\bAM\bME\bE\n\x0cpage\n\x1b[1mbold\x1b[0m\n"sv).encoding, Encoding::Ascii);
}

TEST(GuessVerdict, TextWithARareBadByteKeepsItsName) {
  std::string sjis;
  for (int i = 0; i < 300; ++i) sjis += "\x82\xb1\x82\xea\x82\xcd\x93\xfa\x96\x7b\x8c\xea\x82\xc5\x82\xb7\x81\x42";
  sjis[2000] = '\xff';
  EXPECT_EQ(Guess(sjis).encoding, Encoding::ShiftJis);
}

}  // namespace
}  // namespace nkf::test
