// The UTF-16 prober's unit classes, and the text model's half-width katakana spelling.
#include <gtest/gtest.h>

#include "guess_test_support.h"
#include "probe_text_model.h"
#include "probe_utf16.h"

namespace nkf::test {
namespace {

guess::Utf16Counts CountsLE(std::string_view bytes) {
  guess::Utf16Probe p(false);
  p.Scan(Bytes(bytes));
  return p.Counts();
}

TEST(Utf16Probe, ClassifiesUnitsOfJapaneseText) {
  // a, CR, LF, hiragana A, ideographic full stop, kanji "day", Greek alpha, a private-use unit.
  const auto c = CountsLE("a\0\r\0\n\0\x42\x30\x02\x30\xe5\x65\xb1\x03\x00\xe0"sv);
  EXPECT_EQ(c.units, 8u);
  EXPECT_EQ(c.ascii, 3u);
  EXPECT_EQ(c.lineEnds, 2u);
  EXPECT_EQ(c.kana, 1u);
  EXPECT_EQ(c.cjkSymbols, 1u);
  EXPECT_EQ(c.kanji, 1u);
  EXPECT_EQ(c.plausible, 1u);
  EXPECT_EQ(c.implausible, 1u);
}

TEST(Utf16Probe, ReadsTheSameBytesInTheOtherOrderAsOtherUnits) {
  guess::Utf16Probe be(true);
  be.Scan(Bytes("\x30\x42\x00\x61"sv));
  EXPECT_EQ(be.Counts().kana, 1u);
  EXPECT_EQ(be.Counts().ascii, 1u);
  // Little-endian, the same bytes are U+4230 (a rare block) and U+6100 (a kanji).
  const auto le = CountsLE("\x30\x42\x00\x61"sv);
  EXPECT_EQ(le.implausible, 1u);
  EXPECT_EQ(le.kanji, 1u);
}

TEST(Utf16Probe, PairsSurrogatesAndFlagsLoneOnes) {
  EXPECT_EQ(CountsLE("\x3d\xd8\x00\xde"sv).plausible, 2u);                 // U+1F600
  const auto lone = CountsLE("\x3d\xd8" "a\0"sv);                          // high, then 'a'
  EXPECT_EQ(lone.implausible, 1u);
  EXPECT_EQ(lone.ascii, 1u);
  EXPECT_EQ(lone.units, 2u);
  EXPECT_EQ(CountsLE("\x00\xde"sv).implausible, 1u);                       // low alone
  EXPECT_EQ(CountsLE("\x00\x00"sv).implausible, 1u);                       // NUL unit
}

TEST(Utf16Probe, LeavesAnUnfinishedUnitOrPairOut) {
  guess::Utf16Probe p(false);
  p.Scan(Bytes("a\0\x3d\xd8\x00"sv));
  EXPECT_EQ(p.Counts().units, 1u);
  EXPECT_EQ(p.UnfinishedBytes(), 3u);
}

TEST(HalfWidthKanaSpelling, VoicedMarksFitOnlyAfterKanaTheyCanVoice) {
  using guess::CharClass;
  using guess::HalfKanaClass;
  EXPECT_EQ(HalfKanaClass(0xDE, 0xC3), CharClass::HalfKanaMark);  // te + voiced mark
  EXPECT_EQ(HalfKanaClass(0xDE, 0xB1), CharClass::HalfKanaOdd);   // a + voiced mark
  EXPECT_EQ(HalfKanaClass(0xDF, 0xCA), CharClass::HalfKanaMark);  // ha + semi-voiced
  EXPECT_EQ(HalfKanaClass(0xDF, 0xB6), CharClass::HalfKanaOdd);
  EXPECT_EQ(HalfKanaClass(0xB0, 0), CharClass::HalfKanaOdd);      // long vowel first
  EXPECT_EQ(HalfKanaClass(0xDD, 0), CharClass::HalfKanaOdd);      // n first
  EXPECT_EQ(HalfKanaClass(0xAC, 0xB7), CharClass::HalfKana);      // ki + small ya
  EXPECT_EQ(HalfKanaClass(0xAC, 0xB1), CharClass::HalfKanaOdd);
  EXPECT_EQ(HalfKanaClass(0xB1, 0), CharClass::HalfKana);
  EXPECT_EQ(HalfKanaClass(0xA4, 0xB1), CharClass::HalfPunct);
}

}  // namespace
}  // namespace nkf::test
