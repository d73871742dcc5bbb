// Feeding the guesser in chunks gives exactly the verdict over the concatenation, and the fast
// validators past the statistics window agree with the readable scalar probers.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <type_traits>
#include <vector>

#include "guess_probes.h"
#include "guess_test_support.h"

namespace nkf::test {
namespace {

void ExpectSameResult(const GuessResult& a, const GuessResult& b, const std::string& what) {
  EXPECT_EQ(a.encoding, b.encoding) << what;
  EXPECT_EQ(a.hasBom, b.hasBom) << what;
  EXPECT_EQ(a.decidedAt, b.decidedAt) << what;
}

GuessResult GuessInRandomChunks(std::string_view bytes, std::mt19937& rng, std::size_t maxChunk) {
  EncodingGuesser guesser;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t n = std::min(bytes.size() - at, std::uniform_int_distribution<std::size_t>(0, maxChunk)(rng));
    guesser.Feed(Bytes(bytes.substr(at, n)));
    at += n;
  }
  return guesser.Finish();
}

// A text longer than the statistics window, so that the validators run too.
std::string Repeated(std::string_view unit, std::size_t atLeast) {
  std::string s;
  while (s.size() < atLeast) s += unit;
  return s;
}

TEST(GuessStream, RandomChunkSplitsGiveTheWholeInputsVerdict) {
  std::mt19937 rng(11);
  for (const GuessSample& s : kGuessSamples) {
    const GuessResult whole = Guess(s.bytes);
    for (int round = 0; round < 20; ++round)
      ExpectSameResult(GuessInRandomChunks(s.bytes, rng, 5), whole, s.name);
  }
}

TEST(GuessStream, SplitsAroundTheStatisticsWindowGiveTheWholeInputsVerdict) {
  std::mt19937 rng(12);
  int index = 0;
  for (const GuessSample& s : kGuessSamples) {
    if (s.bytes.size() < 40) continue;  // the long texts cover every encoding
    std::string big = Repeated(s.bytes, guess::kStatsWindow + 5000);
    const GuessResult whole = Guess(big);
    EXPECT_EQ(whole.encoding, s.expected) << s.name;
    ExpectSameResult(GuessInRandomChunks(big, rng, 40000), whole, s.name);
    // Tiny chunks are slow under the sanitizers: a few samples suffice.
    if (index++ % 4 == 0) ExpectSameResult(GuessInRandomChunks(big, rng, 3), whole, s.name);
  }
}

TEST(GuessStream, AnEmptyFeedChangesNothing) {
  EncodingGuesser guesser;
  guesser.Feed({});
  guesser.Feed(Bytes("\x82\xa0"sv));
  guesser.Feed({});
  ExpectSameResult(guesser.Finish(), Guess("\x82\xa0"sv), "empty feeds");
}

TEST(GuessStream, AnErrorPastTheWindowStillCounts) {
  // Shift_JIS text with one byte invalid in Shift_JIS (0xFD) far past the window, where only the
  // validators run. One bad byte in so much text leaves the name, but no reading is clean any
  // more, so nothing decided the verdict early.
  std::string text = Repeated("\x82\xb1\x82\xea\x82\xcd\x93\xfa\x96\x7b\x8c\xea\x82\xc5\x82\xb7\x81\x42"sv,
                              3 * guess::kStatsWindow);
  const GuessResult clean = Guess(text);
  EXPECT_EQ(clean.encoding, Encoding::ShiftJis);
  EXPECT_LT(clean.decidedAt, 10u);
  text[2 * guess::kStatsWindow] = '\xfd';
  const GuessResult flawed = Guess(text);
  EXPECT_EQ(flawed.encoding, Encoding::ShiftJis);
  EXPECT_EQ(flawed.decidedAt, text.size());
  std::mt19937 rng(13);
  ExpectSameResult(GuessInRandomChunks(text, rng, 70000), flawed, "flawed");
}

// Random byte strings built from valid characters and the occasional stray byte, so that both
// valid and invalid paths of each validator are taken.
std::string RandomMix(std::mt19937& rng, std::size_t size) {
  static const std::string_view pieces[] = {
      "a"sv, "xyz "sv, "\r\n"sv, "\xe3\x81\x82"sv, "\xf0\x9f\x98\x80"sv, "\xc3\xa9"sv, "\x82\xa0"sv,
      "\x87\x40"sv, "\xb1"sv, "\xa4\xa2"sv, "\x8e\xb1"sv, "\x8f\xb0\xa1"sv, "\xed\xa0\x80"sv,
      "\xe0\x80\xaf"sv, "\xfd"sv, "\x80"sv, "\xff"sv, "\x1b$B"sv};
  std::string s;
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  while (s.size() < size) s += pieces[pick(rng)];
  return s;
}

template <class Probe>
void ExpectValidatorMatchesScanner(std::string_view bytes, std::size_t split, const char* name) {
  Probe scanned, validated;
  scanned.Scan(Bytes(bytes));
  validated.Scan(Bytes(bytes.substr(0, split)));
  validated.Validate(Bytes(bytes.substr(split)));
  EXPECT_EQ(scanned.Errors().None(), validated.Errors().None()) << name << " split " << split;
  EXPECT_EQ(scanned.Errors().FirstEnd(), validated.Errors().FirstEnd()) << name << " split " << split;
  if (validated.Errors().None()) {
    EXPECT_EQ(scanned.UnfinishedBytes(), validated.UnfinishedBytes()) << name;
  }
  // The automaton against the readable validator, over the same chunks.
  Probe fast, readable;
  for (std::string_view chunk : {bytes.substr(0, split / 2), bytes.substr(split / 2, split - split / 2), bytes.substr(split)}) {
    fast.Validate(Bytes(chunk));
    readable.ValidateScalar(Bytes(chunk));
  }
  EXPECT_EQ(fast.Errors().FirstEnd(), readable.Errors().FirstEnd()) << name << " split " << split;
  EXPECT_EQ(fast.UnfinishedBytes(), readable.UnfinishedBytes()) << name << " split " << split;
}

TEST(GuessStream, FastValidatorsAgreeWithTheReadableScanners) {
  std::mt19937 rng(14);
  for (int round = 0; round < 3000; ++round) {
    // Mostly valid input of one kind, so that the first error lies anywhere.
    const std::size_t size = std::uniform_int_distribution<std::size_t>(0, 200)(rng);
    std::string bytes = RandomMix(rng, size);
    const std::size_t split = std::uniform_int_distribution<std::size_t>(0, bytes.size())(rng);
    ExpectValidatorMatchesScanner<guess::Utf8Probe>(bytes, split, "UTF-8");
    ExpectValidatorMatchesScanner<guess::SjisProbe>(bytes, split, "Shift_JIS");
    ExpectValidatorMatchesScanner<guess::EucJpProbe>(bytes, split, "EUC-JP");
  }
}

// Text valid in one encoding with a rare stray byte, so that the validators pass whole blocks
// of it at once and meet the error at any place in or between them; cut into random chunks.
template <class Probe>
void ExpectBlocksMatchReadable(std::span<const std::string_view> pieces, std::span<const std::string_view> strays,
                               std::mt19937& rng, const char* name) {
  for (int round = 0; round < 400; ++round) {
    std::string bytes;
    const std::size_t size = std::uniform_int_distribution<std::size_t>(60, 700)(rng);
    const bool flawed = round % 2 == 1;
    while (bytes.size() < size) {
      bytes += flawed && rng() % 100 == 0 ? strays[rng() % strays.size()] : pieces[rng() % pieces.size()];
    }
    Probe fast, readable;
    for (std::size_t at = 0; at < bytes.size();) {
      const std::size_t n = rng() % 3 == 0 ? bytes.size() - at : std::min<std::size_t>(rng() % 200, bytes.size() - at);
      fast.Validate(Bytes(std::string_view(bytes).substr(at, n)));
      readable.ValidateScalar(Bytes(std::string_view(bytes).substr(at, n)));
      at += n;
    }
    ASSERT_EQ(fast.Errors().None(), readable.Errors().None()) << name << " round " << round;
    ASSERT_EQ(fast.Errors().FirstEnd(), readable.Errors().FirstEnd()) << name << " round " << round;
    if (readable.Errors().None()) {
      ASSERT_EQ(fast.UnfinishedBytes(), readable.UnfinishedBytes()) << name << " round " << round;
    }
    if constexpr (std::is_same_v<Probe, guess::SjisProbe>) {
      if (readable.Errors().None()) {
        ASSERT_EQ(fast.UsesCp932Extensions(), readable.UsesCp932Extensions()) << name << " round " << round;
      }
    }
  }
}

TEST(GuessStream, FastValidatorsAgreeAcrossWholeBlocks) {
  std::mt19937 rng(15);
  const std::string_view sjis[] = {"a"sv, "\r\n"sv, "\x82\xa0"sv, "\x88\x9f"sv, "\x93\xfa"sv, "\xe0\x40"sv,
                                   "\xea\xa4"sv, "\xb1"sv, "\xdf"sv, "\x81\x7e"sv, "\x82\x81"sv, "\x83\x83\x83\x83"sv};
  const std::string_view sjisVendor[] = {"\x87\x40"sv, "\xed\x40"sv, "\xfa\xfc"sv, "\x82\xa0"sv, "\x82\x87"sv, "\xb1"sv};
  const std::string_view sjisStrays[] = {"\xfd"sv, "\x80"sv, "\xa0"sv, "\x81\x0a"sv, "\x82\x7f"sv, "\xff"sv};
  ExpectBlocksMatchReadable<guess::SjisProbe>(sjis, sjisStrays, rng, "Shift_JIS");
  // Vendor rows rare or common, the flag set anywhere in a block or across its edge.
  for (int k = 0; k < 2; ++k) {
    std::vector<std::string_view> mixed(std::begin(sjis), std::end(sjis));
    mixed.push_back(sjisVendor[k]);
    ExpectBlocksMatchReadable<guess::SjisProbe>(mixed, sjisStrays, rng, "Shift_JIS with vendor rows");
  }
  ExpectBlocksMatchReadable<guess::SjisProbe>(sjisVendor, sjisStrays, rng, "Shift_JIS vendor rows");
  // A single vendor character at every place in and around the first blocks.
  for (std::size_t at = 0; at < 200; ++at) {
    std::string bytes(at % 2, 'a');
    while (bytes.size() < at) bytes += "\x82\xa0";
    bytes += "\x87\x40";
    while (bytes.size() < 300) bytes += "\x82\xa0";
    for (const std::size_t split : {std::size_t{0}, at + 1}) {
      guess::SjisProbe fast;
      fast.Validate(Bytes(std::string_view(bytes).substr(0, split)));
      fast.Validate(Bytes(std::string_view(bytes).substr(split)));
      ASSERT_TRUE(fast.Errors().None()) << at;
      ASSERT_TRUE(fast.UsesCp932Extensions()) << "vendor character at " << at << " split " << split;
    }
  }

  const std::string_view euc[] = {"a"sv, "\r\n"sv, "\xa4\xa2"sv, "\xb0\xa1"sv, "\xfe\xfe"sv, "\xa1\xa1"sv};
  const std::string_view eucShifts[] = {"\xa4\xa2"sv, "\x8e\xb1"sv, "\x8f\xb0\xa1"sv, "a"sv};
  const std::string_view eucStrays[] = {"\x80"sv, "\xff"sv, "\x8e\xe0"sv, "\xa4\x41"sv, "\x8f\xa1\x41"sv};
  ExpectBlocksMatchReadable<guess::EucJpProbe>(euc, eucStrays, rng, "EUC-JP");
  ExpectBlocksMatchReadable<guess::EucJpProbe>(eucShifts, eucStrays, rng, "EUC-JP with single shifts");
}

TEST(GuessStream, Utf8ValidatorAgreesAcrossWholeBlocks) {
  std::mt19937 rng(16);
  const std::string_view kana[] = {"a"sv, "\r\n"sv, "\xe3\x81\x82"sv, "\xe4\xba\x9c"sv, "\xe9\xbe\xa0"sv,
                                   "\xef\xbc\x88"sv, "\xe3\x80\x81"sv, "\xc2\xa7"sv};
  const std::string_view rare[] = {"\xe3\x81\x82"sv, "\xe0\xa0\x80"sv, "\xed\x9f\xbf"sv, "\xf0\x9f\x98\x80"sv,
                                   "\xf4\x8f\xbf\xbf"sv, "\xf1\x80\x80\x80"sv, "\xee\x80\x80"sv, "a"sv};
  const std::string_view strays[] = {"\x80"sv, "\xe3\x81"sv, "\xed\xa0\x80"sv, "\xe0\x9f\xbf"sv, "\xc0\xaf"sv,
                                     "\xf5"sv, "\xf4\x90\x80\x80"sv, "\xf0\x8f\xbf\xbf"sv, "\xff"sv};
  ExpectBlocksMatchReadable<guess::Utf8Probe>(kana, strays, rng, "UTF-8");
  ExpectBlocksMatchReadable<guess::Utf8Probe>(rare, strays, rng, "UTF-8 with rare leads");
  // Each of them at every place in and around the first blocks of kana, whole or cut into two.
  std::vector<std::string_view> items(std::begin(rare), std::end(rare));
  items.insert(items.end(), std::begin(strays), std::end(strays));
  for (const std::string_view item : items) {
    for (std::size_t at = 0; at <= 70; ++at) {
      std::string bytes(at % 3, 'a');
      while (bytes.size() < at) bytes += "\xe3\x81\x82";
      bytes += item;
      while (bytes.size() < 200) bytes += "\xe4\xba\x9c";
      for (const std::size_t end : {at + item.size(), bytes.size()}) {
        for (const std::size_t split : {std::size_t{0}, at + 1, end / 2}) {
          const std::string_view input = std::string_view(bytes).substr(0, end);
          guess::Utf8Probe fast, readable;
          fast.Validate(Bytes(input.substr(0, split)));
          fast.Validate(Bytes(input.substr(split)));
          readable.ValidateScalar(Bytes(input));
          ASSERT_EQ(fast.Errors().None(), readable.Errors().None()) << at << " " << end << " " << split;
          ASSERT_EQ(fast.Errors().FirstEnd(), readable.Errors().FirstEnd()) << at << " " << end << " " << split;
          if (readable.Errors().None()) {
            ASSERT_EQ(fast.UnfinishedBytes(), readable.UnfinishedBytes()) << at << " " << end << " " << split;
          }
        }
      }
    }
  }
}

TEST(GuessStream, FastValidatorsAgreeOnLongValidText) {
  for (const GuessSample& s : kGuessSamples) {
    const std::string big = Repeated(s.bytes, 5000);
    for (std::size_t split : {std::size_t{0}, std::size_t{1}, std::size_t{777}}) {
      ExpectValidatorMatchesScanner<guess::Utf8Probe>(big, split, s.name);
      ExpectValidatorMatchesScanner<guess::SjisProbe>(big, split, s.name);
      ExpectValidatorMatchesScanner<guess::EucJpProbe>(big, split, s.name);
    }
    guess::SjisProbe scanned, validated;
    scanned.Scan(Bytes(big));
    validated.Validate(Bytes(big));
    if (scanned.Errors().None()) {
      EXPECT_EQ(scanned.UsesCp932Extensions(), validated.UsesCp932Extensions()) << s.name;
    }
  }
}

}  // namespace
}  // namespace nkf::test
