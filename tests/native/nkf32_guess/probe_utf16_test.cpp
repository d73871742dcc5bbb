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

void ExpectSameCounts(const guess::Utf16Probe& a, const guess::Utf16Probe& b, const std::string& what) {
  const guess::Utf16Counts& x = a.Counts();
  const guess::Utf16Counts& y = b.Counts();
  EXPECT_EQ(x.units, y.units) << what;
  EXPECT_EQ(x.ascii, y.ascii) << what;
  EXPECT_EQ(x.lineEnds, y.lineEnds) << what;
  EXPECT_EQ(x.kana, y.kana) << what;
  EXPECT_EQ(x.cjkSymbols, y.cjkSymbols) << what;
  EXPECT_EQ(x.kanji, y.kanji) << what;
  EXPECT_EQ(x.plausible, y.plausible) << what;
  EXPECT_EQ(x.implausible, y.implausible) << what;
  EXPECT_EQ(x.asciiPairs, y.asciiPairs) << what;
  EXPECT_EQ(a.UnfinishedBytes(), b.UnfinishedBytes()) << what;
}

// Every unit value, each alone (so a surrogate half cannot hide in a pair) and all of them in a
// row, in both byte orders: the counting pass against the readable one.
TEST(Utf16Probe, CountingPassCountsEveryUnitAsTheReadablePass) {
  for (const bool big : {false, true}) {
    std::string all;
    for (unsigned u = 0; u < 0x10000; ++u) {
      const char unit[2] = {static_cast<char>(big ? u >> 8 : u & 0xFF), static_cast<char>(big ? u & 0xFF : u >> 8)};
      all.append(unit, 2);
      guess::Utf16Probe readable(big), counted(big);
      readable.Scan(Bytes({unit, 2}));
      counted.CountUnits(Bytes({unit, 2}));
      ExpectSameCounts(counted, readable, "unit " + std::to_string(u));
    }
    guess::Utf16Probe readable(big), counted(big);
    readable.Scan(Bytes(all));
    counted.CountUnits(Bytes(all));
    ExpectSameCounts(counted, readable, big ? "all units, big-endian" : "all units, little-endian");
  }
}

// Chunks that end inside a unit or between the halves of a surrogate pair.
TEST(Utf16Probe, CountingPassCarriesUnitsAndSurrogatesAcrossChunks) {
  const std::string_view text = "a\0\x3d\xd8\x00\xde\x42\x30\x3d\xd8\x3d\xd8\x00\xde\n\0\x00\xdc\xe5\x65\x3d"sv;
  for (std::size_t first = 0; first <= text.size(); ++first) {
    for (std::size_t second = first; second <= text.size(); ++second) {
      guess::Utf16Probe readable(false), counted(false);
      readable.Scan(Bytes(text));
      counted.CountUnits(Bytes(text.substr(0, first)));
      counted.CountUnits(Bytes(text.substr(first, second - first)));
      counted.CountUnits(Bytes(text.substr(second)));
      ExpectSameCounts(counted, readable, "cut at " + std::to_string(first) + " and " + std::to_string(second));
    }
  }
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
