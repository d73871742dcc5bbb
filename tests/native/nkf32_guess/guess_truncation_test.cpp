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

TEST(GuessTruncation, CutInsideACharacterGivesTheVerdictOfTheCharactersBefore) {
  for (const GuessSample& s : kGuessSamples) {
    const auto& starts = s.charStarts;
    for (std::size_t c = 0; c + 1 < starts.size(); ++c) {
      const Encoding atBoundary = GuessPrefix(s.bytes, starts[c + 1]);
      const Encoding whole = Guess(s.bytes).encoding;
      if (atBoundary != whole) continue;  // not yet enough seen to decide
      for (std::size_t cut = starts[c] + 1; cut < starts[c + 1]; ++cut)
        EXPECT_EQ(GuessPrefix(s.bytes, cut), atBoundary)
            << s.name << " cut after " << cut << " bytes, inside character " << c;
    }
  }
}

TEST(GuessTruncation, LongSamplesAreStableOnceAFewCharactersAreSeen) {
  for (const GuessSample& s : kGuessSamples) {
    if (s.charStarts.size() < 20) continue;
    // Six characters are enough to tell these encodings apart.
    ExpectStableFrom(s, s.charStarts[6]);
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
