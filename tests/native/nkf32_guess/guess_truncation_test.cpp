// A multibyte character cut off at the end of the input (the first 1000 bytes of a file, say)
// must not change the verdict.
#include <gtest/gtest.h>

#include "guess_test_support.h"

namespace nkf::test {
namespace {

Encoding GuessPrefix(std::string_view bytes, std::size_t n) { return Guess(bytes.substr(0, n)).encoding; }

// Every prefix from `from` on, cut at a character boundary or inside a character, gets the
// verdict of the whole.
void ExpectStableFrom(const GuessSample& s, std::size_t from) {
  const Encoding whole = Guess(s.bytes).encoding;
  for (std::size_t n = from; n <= s.bytes.size(); ++n)
    EXPECT_EQ(GuessPrefix(s.bytes, n), whole) << s.name << " cut after " << n << " bytes";
}

// The first character boundary from which every longer prefix that ends on a boundary gets the
// verdict of the whole: from there on, enough is seen to decide.
std::size_t DecidedFromCharacter(const GuessSample& s, Encoding whole) {
  std::size_t from = s.charStarts.size() - 1;
  while (from > 0 && GuessPrefix(s.bytes, s.charStarts[from - 1]) == whole) --from;
  return from;
}

TEST(GuessTruncation, CutInsideACharacterKeepsTheVerdictOnceDecided) {
  for (const GuessSample& s : kGuessSamples) {
    if (s.charStarts.empty()) continue;
    const Encoding whole = Guess(s.bytes).encoding;
    const std::size_t from = DecidedFromCharacter(s, whole);
    for (std::size_t c = from; c + 1 < s.charStarts.size(); ++c)
      for (std::size_t cut = s.charStarts[c] + 1; cut < s.charStarts[c + 1]; ++cut)
        EXPECT_EQ(GuessPrefix(s.bytes, cut), whole) << s.name << " cut after " << cut << " bytes, inside character " << c;
    // Short words may need all their characters, but the long texts decide early.
    if (s.charStarts.size() > 20) {
      EXPECT_LE(from, 8u) << s.name;
    }
  }
}

TEST(GuessTruncation, LongSamplesAreStableOnceAFewCharactersAreSeen) {
  for (const GuessSample& s : kGuessSamples) {
    if (s.charStarts.size() < 20) continue;
    // Eight characters are enough to tell these encodings apart.
    ExpectStableFrom(s, s.charStarts[8]);
  }
}

TEST(GuessTruncation, FirstThousandBytesOfALongTextCutAnywhereKeepTheVerdict) {
  for (const GuessSample& s : kGuessSamples) {
    if (s.charStarts.size() < 20) continue;
    std::string text;
    while (text.size() < 1100) text += s.bytes;
    // Lengths around 1000 end at every position inside the characters there.
    for (std::size_t n = 990; n <= 1000; ++n)
      EXPECT_EQ(GuessPrefix(text, n), s.expected) << s.name << " repeated, first " << n << " bytes";
  }
}

}  // namespace
}  // namespace nkf::test
