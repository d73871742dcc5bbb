// The UTF-16 prober's unit classes, its table-driven scan against the readable one, and the text
// model's half-width katakana spelling.
#include <gtest/gtest.h>

#include <random>

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
  EXPECT_EQ(c.kanaLike, 1u);
  EXPECT_EQ(c.cjkSymbols, 1u);
  EXPECT_EQ(c.kanji, 1u);
  EXPECT_EQ(c.plausible, 1u);
  EXPECT_EQ(c.implausible, 1u);
}

TEST(Utf16Probe, ReadsTheSameBytesInTheOtherOrderAsOtherUnits) {
  guess::Utf16Probe be(true);
  be.Scan(Bytes("\x30\x42\x00\x61"sv));
  EXPECT_EQ(be.Counts().kanaLike, 1u);
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
  EXPECT_EQ(x.kanaLike, y.kanaLike) << what;
  EXPECT_EQ(x.cjkSymbols, y.cjkSymbols) << what;
  EXPECT_EQ(x.kanji, y.kanji) << what;
  EXPECT_EQ(x.plausible, y.plausible) << what;
  EXPECT_EQ(x.implausible, y.implausible) << what;
  EXPECT_EQ(x.asciiPairs, y.asciiPairs) << what;
  EXPECT_EQ(x.vendorAsciiPairs, y.vendorAsciiPairs) << what;
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
      readable.ScanScalar(Bytes({unit, 2}));
      counted.CountUnits(Bytes({unit, 2}));
      ExpectSameCounts(counted, readable, "unit " + std::to_string(u));
    }
    guess::Utf16Probe readable(big), counted(big);
    readable.ScanScalar(Bytes(all));
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
      readable.ScanScalar(Bytes(text));
      counted.CountUnits(Bytes(text.substr(0, first)));
      counted.CountUnits(Bytes(text.substr(first, second - first)));
      counted.CountUnits(Bytes(text.substr(second)));
      ExpectSameCounts(counted, readable, "cut at " + std::to_string(first) + " and " + std::to_string(second));
    }
  }
}

// The table-driven scan against the readable one: the same counts, and the same model down to
// the last bit of the score.
void ExpectSameScan(const guess::Utf16Probe& fast, const guess::Utf16Probe& readable, const std::string& what) {
  ExpectSameCounts(fast, readable, what);
  EXPECT_EQ(fast.Model().Score(), readable.Model().Score()) << what;
  EXPECT_EQ(fast.Model().Chars(), readable.Model().Chars()) << what;
}

std::string UnitBytes(unsigned u, bool big) {
  const char bytes[2] = {static_cast<char>(big ? u >> 8 : u & 0xFF), static_cast<char>(big ? u & 0xFF : u >> 8)};
  return {bytes, 2};
}

TEST(Utf16Probe, ScanClassifiesEveryUnitAsTheReadablePass) {
  for (const bool big : {false, true}) {
    std::string all;
    for (unsigned u = 0; u < 0x10000; ++u) {
      const std::string unit = UnitBytes(u, big);
      all += unit;
      guess::Utf16Probe readable(big), fast(big);
      // After a kanji, so that the unit's transition cost depends on the context it leaves.
      const std::string text = UnitBytes(0x65E5, big) + unit + UnitBytes(0x3042, big);
      readable.ScanScalar(Bytes(text));
      fast.Scan(Bytes(text));
      ExpectSameScan(fast, readable, "unit " + std::to_string(u));
    }
    guess::Utf16Probe readable(big), fast(big);
    readable.ScanScalar(Bytes(all));
    fast.Scan(Bytes(all));
    ExpectSameScan(fast, readable, big ? "all units, big-endian" : "all units, little-endian");
  }
}

// One unit (or surrogate pair) of a kind Japanese text or misread bytes give.
std::string RandomUnits(std::mt19937& rng, bool big) {
  const auto in = [&](unsigned first, unsigned last) {
    return std::uniform_int_distribution<unsigned>(first, last)(rng);
  };
  const auto unit = [&](unsigned u) { return UnitBytes(u, big); };
  switch (in(0, 16)) {
    case 0: return unit(in(0x20, 0x7E));                                        // ASCII
    case 1: return unit(in(0, 2) == 0 ? 0x09 : in(0x20, 0x7E));
    case 2: return unit(in(0, 1) ? 0x0A : 0x0D);                                // line ends
    case 3: return unit(0);                                                     // NUL
    case 4: return unit(in(0, 1) ? in(0x01, 0x1F) : in(0x7F, 0x9F));            // controls
    case 5: return unit(in(0, 3) ? in(0x3041, 0x30FF) : in(0xFF61, 0xFF9F));    // kana
    case 6:
    case 7: return unit(in(0, 3) ? in(0x4E00, 0x9FFF) : in(0, 1) ? in(0xF900, 0xFAFF) : in(0x3400, 0x4DBF));  // kanji
    case 8: return unit(in(0, 2) == 0 ? in(0x3000, 0x3040) : in(0, 1) ? in(0xFF01, 0xFF60) : in(0xFFE0, 0xFFEF));  // CJK symbols
    case 9: return unit(in(0, 2) == 0 ? in(0xA0, 0x24F) : in(0, 1) ? in(0x370, 0x4FF) : in(0x2000, 0x2BFF));  // Latin, Greek, punctuation
    case 15: return unit(in(0, 2) == 0 ? in(0x2160, 0x217F) : in(0, 1) ? in(0x2460, 0x247F) : in(0x3200, 0x33FF));  // vendor symbols
    case 10: return unit(in(0xD800, 0xDBFF)) + unit(in(0xDC00, 0xDFFF));       // a surrogate pair
    case 11: return unit(in(0xD800, 0xDBFF));                                   // a high surrogate, alone unless a low one follows
    case 12: return unit(in(0xDC00, 0xDFFF));                                   // a lone low surrogate
    case 13: return unit(in(0xE000, 0xF8FF));                                   // private use
    case 14: return std::string(1, static_cast<char>(in(0, 255)));               // a stray byte: the units shift
    default: return unit(in(0, 0xFFFF));
  }
}

// Random units fed in random chunks, odd sizes and ones that cut surrogate pairs included, and
// long ones (past the scan's batch of units): the same as the readable pass over all at once.
TEST(Utf16Probe, ScanMatchesTheReadablePassHoweverTheInputIsCut) {
  std::mt19937 rng(20261208);
  for (int trial = 0; trial < 300; ++trial) {
    const bool big = trial % 2 == 1;
    // Mostly kanji and kana in some trials (long runs between surrogates), every kind in others.
    const bool dense = trial % 3 == 0;
    const std::size_t length = std::uniform_int_distribution<std::size_t>(0, trial % 10 == 0 ? 12000 : 600)(rng);
    std::string text;
    while (text.size() < length) {
      if (dense && std::uniform_int_distribution<int>(0, 15)(rng) != 0)
        text += UnitBytes(std::uniform_int_distribution<unsigned>(0x3041, 0x9FFF)(rng), big);
      else
        text += RandomUnits(rng, big);
    }
    guess::Utf16Probe readable(big), fast(big);
    readable.ScanScalar(Bytes(text));
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t most = std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 5000 : 9;
      const std::size_t size = std::min(text.size() - at, std::uniform_int_distribution<std::size_t>(0, most)(rng));
      fast.Scan(Bytes(std::string_view(text).substr(at, size)));
      at += size;
    }
    ExpectSameScan(fast, readable, "trial " + std::to_string(trial));
    if (HasFailure()) break;
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
