// The direct paths read words and blocks of bytes at a time: every character kind, valid or not, is
// placed at every offset around those edges and must come out as the general path (or the exact
// refusal) says.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "test_support.h"

namespace nkf::test {
namespace {

// Prefixes of every length up to past two 16-byte blocks, in ASCII and in two-byte characters
// (which shift a following character by one byte between odd and even lengths).
std::vector<Bytes> Prefixes(const Bytes& twoByteChar) {
  std::vector<Bytes> out;
  for (std::size_t len = 0; len <= 40; ++len) {
    out.push_back(Bytes(len, 'a'));
    Bytes mixed;
    while (mixed.size() + 2 <= len) mixed = Concat(mixed, twoByteChar);
    if (mixed.size() < len) mixed.push_back('b');
    out.push_back(mixed);
  }
  return out;
}

struct Bad {
  const char* name;
  Bytes bytes;
  ConvertError error;
  char32_t codePoint;
};

void ExpectRefusedAtEveryOffset(const Bad& bad, Encoding from, const char* options, const Bytes& twoByteChar) {
  for (const Bytes& prefix : Prefixes(twoByteChar)) {
    for (const char* tail : {"", "z\r\n", "0123456789abcdefghijklmnopqrstuv"}) {
      Bytes in = Concat(Concat(prefix, bad.bytes), B(tail));
      Bytes out;
      ConvertResult r = ConvertAs(in, from, options, out);
      EXPECT_EQ(r.error, bad.error) << bad.name << " after " << prefix.size() << " bytes, tail \"" << tail << "\"";
      EXPECT_EQ(r.position, prefix.size()) << bad.name << " after " << prefix.size() << " bytes";
      if (bad.error == ConvertError::Unrepresentable) {
        EXPECT_EQ(r.codePoint, bad.codePoint) << bad.name;
      }
    }
  }
}

TEST(FastPathEdges, ShiftJisKeptAsIsRefusesAtTheExactByteAnywhereInABlock) {
  const Bad cases[] = {
      {"unassigned lead", B("\x85\x40"), ConvertError::InvalidInput, 0},
      {"unassigned cell of a kana lead", B("\x82\x40"), ConvertError::InvalidInput, 0},
      {"unassigned cell of the last kanji lead", B("\xea\xa5"), ConvertError::InvalidInput, 0},
      {"control as a trail byte", B("\x81\x0a"), ConvertError::InvalidInput, 0},
      {"DEL as a trail byte", B("\x88\x7f"), ConvertError::InvalidInput, 0},
      {"unassigned IBM extension", B("\xfc\x4c"), ConvertError::InvalidInput, 0},
  };
  for (const Bad& bad : cases) ExpectRefusedAtEveryOffset(bad, Encoding::Cp932, "-Lu", B("\x82\xa0"));
}

TEST(FastPathEdges, ShiftJisKeptAsIsCopiesRareRowsAndCutsOffOnlyAtTheEnd) {
  // NEC row 13, NEC-selected IBM and IBM extensions: leads the automaton leaves to the exact check.
  const Bytes rare = B("\x87\x40\xed\x40\xfa\x40\xfc\x4b\x88\x9f\x98\x9f\xea\xa4\x84\xbe");
  for (const Bytes& prefix : Prefixes(B("\x82\xa0"))) {
    Bytes in = Concat(Concat(prefix, rare), B("\r\n0123456789abcdef\r"));
    Bytes expected = Concat(Concat(prefix, rare), B("\n0123456789abcdef\n"));
    EXPECT_EQ(Convert(in, Encoding::Cp932, "-Lu"), expected) << prefix.size();
    EXPECT_EQ(Convert(in, Encoding::ShiftJis, "-Lu"), expected) << prefix.size();
    Bytes cut = Concat(prefix, B("\x82"));
    Bytes out;
    ConvertResult r = ConvertAs(cut, Encoding::Cp932, "-Lu", out);
    EXPECT_EQ(r.error, ConvertError::InvalidInput) << prefix.size();
    EXPECT_EQ(r.position, prefix.size());
  }
}

TEST(FastPathEdges, Utf8ReadByWordsRefusesAtTheExactByteAnywhere) {
  const Bad cases[] = {
      {"overlong three bytes", B("\xe0\x80\xaf"), ConvertError::InvalidInput, 0},
      {"surrogate", B("\xed\xa0\x80"), ConvertError::InvalidInput, 0},
      {"continuation missing", B("\xe3\x81" "a"), ConvertError::InvalidInput, 0},
      {"lead cut off", B("\xe3"), ConvertError::InvalidInput, 0},
  };
  for (const Bad& bad : cases) {
    ExpectRefusedAtEveryOffset(bad, Encoding::Utf8, "-s", B("\xc2\xa7"));
    ExpectRefusedAtEveryOffset(bad, Encoding::Utf8, "-w16L0", B("\xc2\xa7"));
  }
  const Bad unrepresentable[] = {
      {"euro sign", B("\xe2\x82\xac"), ConvertError::Unrepresentable, 0x20AC},
      {"emoji", B("\xf0\x9f\x98\x80"), ConvertError::Unrepresentable, 0x1F600},
  };
  for (const Bad& bad : unrepresentable) ExpectRefusedAtEveryOffset(bad, Encoding::Utf8, "-s", B("\xc2\xa7"));
  // The second of a variant pair, met on the direct path.
  for (const Bytes& prefix : Prefixes(B("\xc2\xa7"))) {
    Bytes in = Concat(B("\xe3\x80\x9c"), prefix);
    in = Concat(in, B("\xef\xbd\x9e" "0123456789"));
    Bytes out;
    ConvertResult r = ConvertAs(in, Encoding::Utf8, "-s", out);
    EXPECT_EQ(r.error, ConvertError::Unrepresentable);
    EXPECT_EQ(r.position, 3 + prefix.size());
    EXPECT_EQ(r.codePoint, 0xFF5Eu);
  }
}

TEST(FastPathEdges, EveryCharacterKindAtEveryOffsetAgreesWithTheGeneralPath) {
  struct Case {
    Encoding from;
    const char* options;
    Bytes chars;        // one of each kind the direct path handles or hands over
    Bytes twoByteChar;  // for the prefixes
  };
  const Case cases[] = {
      {Encoding::Utf8, "-s", B("\xe3\x81\x82\xef\xbd\xb1\xc2\xa7\xef\xbd\x9e\xe2\x88\x92" "x\xe4\xba\x9c"), B("\xc2\xa7")},
      {Encoding::Utf8, "-w16L0", B("\xe3\x81\x82\xef\xbd\xb1\xc2\xa7\xf0\x9f\x98\x80" "x\xe4\xba\x9c"), B("\xc2\xa7")},
      {Encoding::Cp932, "-w80", B("\x82\xa0\xb1\x87\x40\x80" "x\x88\x9f"), B("\x82\xa0")},
      {Encoding::EucJp, "-w80", B("\xa4\xa2\x8e\xb1\x8f\xb0\xa1" "x\xb0\xa1"), B("\xa4\xa2")},
  };
  for (const Case& c : cases) {
    for (const Bytes& prefix : Prefixes(c.twoByteChar)) {
      for (std::size_t cut = 0; cut <= c.chars.size(); ++cut) {
        Bytes in = Concat(prefix, Bytes(c.chars.begin(), c.chars.begin() + static_cast<std::ptrdiff_t>(cut)));
        Bytes fast, general;
        ConvertResult a = ConvertAs(in, c.from, c.options, fast);
        ConvertResult b = ConvertGeneral(in, c.from, c.options, general);
        EXPECT_EQ(a.error, b.error) << c.options << " " << prefix.size() << "+" << cut;
        EXPECT_EQ(a.position, b.position) << c.options << " " << prefix.size() << "+" << cut;
        EXPECT_EQ(fast, general) << c.options << " " << prefix.size() << "+" << cut;
      }
    }
  }
}

// Prefixes that put the next character at every offset up to past four 16-byte blocks: runs of
// kana (three bytes each, taken two at a time), of ASCII (sixteen at a time) and both mixed.
std::vector<Bytes> LongPrefixes() {
  std::vector<Bytes> out;
  for (std::size_t len = 0; len <= 70; ++len) {
    out.push_back(Bytes(len, 'a'));
    Bytes kana;
    while (kana.size() + 3 <= len) kana = Concat(kana, B("\xe3\x81\x82"));
    out.push_back(Concat(kana, Bytes(len - kana.size(), 'b')));
    Bytes mixed;
    for (std::size_t k = 0; mixed.size() < len; ++k) {
      mixed = k % 4 == 3 || len - mixed.size() < 3 ? Concat(mixed, B("c")) : Concat(mixed, B("\xe4\xba\x9c"));
    }
    out.push_back(mixed);
  }
  return out;
}

TEST(FastPathEdges, Utf8ToUtf16LEInRunsAgreesWithTheGeneralPathAtEveryOffset) {
  const char* const items[] = {
      "\xf0\x9f\x98\x80",  // four bytes: a surrogate pair
      "\xf4\x90\x80\x80",  // above U+10FFFF
      "\xe0\x80\xaf",       // overlong
      "\xc0\xaf",            // overlong
      "\xed\xa0\x80",       // a surrogate encoded
      "\xed\x9f\xbf",       // the last character below the surrogates
      "\xe0\xa0\x80",       // the first three-byte character
      "\xee\x80\x80",       // private use, above the surrogates
      "\xef\xbf\xbf",
      "\xe3\x81",            // cut off
      "\xe3",
      "\xf0\x9f\x98",
      "\x80",                 // a stray continuation byte
      "\xc2\xa7",
      "\xff",
  };
  const char* const tails[] = {"", "z", "\xe3\x81\x84\xe3\x81\x86\xe6\xbc\xa2\xe5\xad\x97\xe3\x82\xab\xe3\x83\x8a"
                                    "0123456789abcdefghij\xe3\x81\x8a\xe3\x81\x8b\xe3\x81\x8d\xe3\x81\x8f"};
  for (const char* item : items) {
    for (const Bytes& prefix : LongPrefixes()) {
      for (const char* tail : tails) {
        Bytes in = Concat(Concat(prefix, B(item)), B(tail));
        Bytes fast, general;
        ConvertResult a = ConvertAs(in, Encoding::Utf8, "-w16L0", fast);
        ConvertResult b = ConvertGeneral(in, Encoding::Utf8, "-w16L0", general);
        ASSERT_EQ(a.error, b.error) << prefix.size() << " " << tail;
        ASSERT_EQ(a.position, b.position) << prefix.size() << " " << tail;
        ASSERT_EQ(a.codePoint, b.codePoint) << prefix.size() << " " << tail;
        ASSERT_EQ(fast, general) << prefix.size() << " " << tail;
      }
    }
  }
}

TEST(FastPathEdges, Utf8ToUtf16LEOnRandomTextAgreesWithTheGeneralPath) {
  const char* const pieces[] = {"a", "\n", "0123456789abcdef", "\xe3\x81\x82", "\xe4\xba\x9c", "\xe9\xbe\xa0",
                                "\xef\xbc\x88", "\xc2\xa7", "\xe0\xa0\x80", "\xed\x9f\xbf", "\xf0\x9f\x98\x80"};
  const char* const strays[] = {"\x80", "\xe3\x81", "\xed\xa0\x80", "\xe0\x9f\xbf", "\xc1\xbf", "\xf5", "\xf4\x90"};
  std::mt19937 rng(7);
  for (int round = 0; round < 600; ++round) {
    Bytes in;
    const std::size_t size = rng() % 400;
    while (in.size() < size) {
      in = Concat(in, B(round % 2 == 1 && rng() % 60 == 0 ? strays[rng() % std::size(strays)]
                                                          : pieces[rng() % (round % 3 == 0 ? 5 : std::size(pieces))]));
    }
    Bytes fast, general;
    ConvertResult a = ConvertAs(in, Encoding::Utf8, "-w16L0", fast);
    ConvertResult b = ConvertGeneral(in, Encoding::Utf8, "-w16L0", general);
    ASSERT_EQ(a.error, b.error) << "round " << round;
    ASSERT_EQ(a.position, b.position) << "round " << round;
    ASSERT_EQ(a.codePoint, b.codePoint) << "round " << round;
    ASSERT_EQ(fast, general) << "round " << round;
  }
}

// Fed in pieces of random sizes, so that a CR waits for its LF across the pieces as well.
ConvertResult ConvertInRandomPieces(const Bytes& in, Encoding from, const char* options, std::mt19937& rng,
                                    Bytes& out) {
  out.clear();
  ConversionPlan plan;
  ConvertResult r = PlanConversion(Opts(options), GuessResult{from, false, in.size()}, plan);
  if (!r.ok()) return r;
  StreamConverter converter(plan);
  for (std::size_t at = 0; at < in.size() && r.ok();) {
    const std::size_t size = std::min<std::size_t>(in.size() - at, 1 + rng() % 5000);
    r = converter.Feed(std::span(in).subspan(at, size), out);
    at += size;
  }
  if (r.ok()) r = converter.Finish(out);
  if (!r.ok()) out.clear();
  return r;
}

TEST(FastPathEdges, LineEndsRewrittenOnTheDirectPathsAgreeWithTheGeneralPath) {
  // Every kind of line end, next to characters the direct paths take and to those they hand to
  // the general path, in texts long enough to cross the converter's 16 KiB batches.
  struct Case {
    Encoding from;
    const char* options;
    std::vector<const char*> chars;
  };
  const Case cases[] = {
      {Encoding::Cp932, "-w80", {"\x82\xa0", "\x88\x9f", "\xb1", "\x87\x40", "\xed\x40", "x", "0123456789abcdef"}},
      {Encoding::ShiftJis, "-w8", {"\x82\xa0", "\x81\x60", "\xb1", "x"}},
      {Encoding::EucJp, "-w80", {"\xa4\xa2", "\x8e\xb1", "\x8f\xb0\xa1", "\xb0\xa1", "x"}},
      {Encoding::Utf8, "-s", {"\xe3\x81\x82", "\xc2\xa7", "\xef\xbd\xb1", "\xe2\x88\x92", "x", "0123456789abcdef"}},
      {Encoding::Utf8, "-w16L0", {"\xe3\x81\x82", "\xc2\xa7", "\xf0\x9f\x98\x80", "x", "0123456789abcdef"}},
  };
  const char* const lineEnds[] = {"\r\n", "\n", "\r", "\r\r", "\n\r"};
  std::mt19937 rng(11);
  for (const Case& c : cases) {
    for (const char* ending : {"Lu", "Lw", "Lm"}) {
      const std::string options = std::string(c.options) + ending;
      for (int round = 0; round < 40; ++round) {
        Bytes in;
        const std::size_t size = round % 8 == 7 ? 40000 + rng() % 2000 : rng() % 300;
        while (in.size() < size) {
          in = Concat(in, B(rng() % 4 == 0 ? lineEnds[rng() % std::size(lineEnds)] : c.chars[rng() % c.chars.size()]));
        }
        Bytes fast, general, pieces;
        ConvertResult a = ConvertAs(in, c.from, options, fast);
        ConvertResult b = ConvertGeneral(in, c.from, options, general);
        ConvertResult p = ConvertInRandomPieces(in, c.from, options.c_str(), rng, pieces);
        ASSERT_TRUE(b.ok()) << options << " round " << round;
        ASSERT_TRUE(a.ok() && p.ok()) << options << " round " << round;
        ASSERT_EQ(fast, general) << options << " round " << round;
        ASSERT_EQ(pieces, general) << options << " round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace nkf::test
