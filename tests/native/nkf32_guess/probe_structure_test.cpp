// The byte-structure probers on their own: what each accepts, where it first fails, and what
// a character cut off at the end leaves.
#include <gtest/gtest.h>

#include <string>

#include "guess_test_support.h"
#include "probe_eucjp.h"
#include "probe_iso2022jp.h"
#include "probe_sjis.h"
#include "probe_utf8.h"

namespace nkf::test {
namespace {

template <class Probe>
Probe Scanned(std::string_view bytes) {
  Probe p;
  p.Scan(Bytes(bytes));
  return p;
}

// 0 when valid; otherwise the count of bytes examined when the first bad byte was seen.
template <class Probe>
std::uint64_t FirstError(std::string_view bytes) {
  const Probe p = Scanned<Probe>(bytes);
  return p.Errors().None() ? 0 : p.Errors().FirstEnd();
}

TEST(Utf8Probe, AcceptsEveryLengthOfWellFormedCharacter) {
  EXPECT_EQ(FirstError<guess::Utf8Probe>("a\xc2\xa9\xe3\x81\x82\xef\xbf\xbd\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf"sv), 0u);
  EXPECT_EQ(Scanned<guess::Utf8Probe>("a\xc2\xa9\xe3\x81\x82\xf0\x9f\x98\x80"sv).MultibyteChars(), 3u);
}

TEST(Utf8Probe, RejectsOverlongFormsSurrogatesAndCodesAboveUnicode) {
  EXPECT_EQ(FirstError<guess::Utf8Probe>("ab\xc0\xaf"sv), 3u);          // overlong '/'
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xc1\xbf"sv), 1u);
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xe0\x80\xaf"sv), 2u);        // overlong three-byte
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xf0\x80\x80\xaf"sv), 2u);    // overlong four-byte
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xed\xa0\x80"sv), 2u);        // U+D800
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xf4\x90\x80\x80"sv), 2u);    // above U+10FFFF
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xf5\x80\x80\x80"sv), 1u);
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xff"sv), 1u);
  EXPECT_EQ(FirstError<guess::Utf8Probe>("a\x80"sv), 2u);               // stray continuation
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xe3\x81" "a"sv), 3u);        // sequence broken off
}

TEST(Utf8Probe, ACharacterCutOffAtTheEndIsUnfinishedNotWrong) {
  for (std::string_view cut : {"\xe3"sv, "\xe3\x81"sv, "\xf0\x9f\x98"sv}) {
    const auto p = Scanned<guess::Utf8Probe>(cut);
    EXPECT_TRUE(p.Errors().None());
    EXPECT_EQ(p.UnfinishedBytes(), cut.size());
  }
  // A cut that is already impossible is an error all the same.
  EXPECT_EQ(FirstError<guess::Utf8Probe>("\xed\xa0"sv), 2u);
}

TEST(SjisProbe, AcceptsPairsHalfWidthKanaAndAscii) {
  const auto p = Scanned<guess::SjisProbe>("a\x82\xa0\xb1\x88\x9f\x98\x9f\xe0\x40\x81\x7e"sv);
  EXPECT_TRUE(p.Errors().None());
  EXPECT_EQ(p.MultibyteChars(), 6u);
  EXPECT_FALSE(p.UsesCp932Extensions());
}

TEST(SjisProbe, RejectsBytesThatAreNeitherCharacterNorLeadAndBadTrails) {
  EXPECT_EQ(FirstError<guess::SjisProbe>("a\x80"sv), 2u);
  EXPECT_EQ(FirstError<guess::SjisProbe>("\xa0"sv), 1u);
  EXPECT_EQ(FirstError<guess::SjisProbe>("\xfd"sv), 1u);
  EXPECT_EQ(FirstError<guess::SjisProbe>("\x82\x7f"sv), 2u);  // DEL is no trail byte
  EXPECT_EQ(FirstError<guess::SjisProbe>("\x82\x3f"sv), 2u);
  EXPECT_EQ(FirstError<guess::SjisProbe>("\x82\xfd"sv), 2u);
}

TEST(SjisProbe, NoticesTheVendorExtensionRows) {
  for (std::string_view ext : {"\x87\x40"sv, "\xed\x40"sv, "\xee\xfc"sv, "\xfa\x40"sv, "\xfc\x4b"sv})
    EXPECT_TRUE(Scanned<guess::SjisProbe>(ext).UsesCp932Extensions()) << testing::PrintToString(ext);
  // A lead byte of those rows cut off at the end says nothing yet.
  EXPECT_FALSE(Scanned<guess::SjisProbe>("\x82\xa0\x87"sv).UsesCp932Extensions());
  EXPECT_EQ(Scanned<guess::SjisProbe>("\x82\xa0\x87"sv).UnfinishedBytes(), 1u);
}

TEST(EucJpProbe, AcceptsJisX0208HalfWidthKanaAndJisX0212) {
  const auto p = Scanned<guess::EucJpProbe>("a\xa4\xa2\x8e\xb1\x8f\xb0\xa1\xfe\xfe"sv);
  EXPECT_TRUE(p.Errors().None());
  EXPECT_EQ(p.MultibyteChars(), 4u);
}

TEST(EucJpProbe, RejectsBytesOutsideTheCodeSets) {
  EXPECT_EQ(FirstError<guess::EucJpProbe>("\x82\xa0"sv), 1u);
  EXPECT_EQ(FirstError<guess::EucJpProbe>("\xa0"sv), 1u);
  EXPECT_EQ(FirstError<guess::EucJpProbe>("\xff"sv), 1u);
  EXPECT_EQ(FirstError<guess::EucJpProbe>("\xa4\x41"sv), 2u);
  EXPECT_EQ(FirstError<guess::EucJpProbe>("\x8e\xe0"sv), 2u);       // SS2 only carries kana
  EXPECT_EQ(FirstError<guess::EucJpProbe>("\x8f\xb0\x41"sv), 3u);
}

TEST(EucJpProbe, CountsTheBytesOfACharacterCutOffAtTheEnd) {
  EXPECT_EQ(Scanned<guess::EucJpProbe>("\xa4"sv).UnfinishedBytes(), 1u);
  EXPECT_EQ(Scanned<guess::EucJpProbe>("\x8e"sv).UnfinishedBytes(), 1u);
  EXPECT_EQ(Scanned<guess::EucJpProbe>("\x8f"sv).UnfinishedBytes(), 1u);
  EXPECT_EQ(Scanned<guess::EucJpProbe>("\x8f\xb0"sv).UnfinishedBytes(), 2u);
  EXPECT_EQ(Scanned<guess::EucJpProbe>("\xa4\xa2"sv).UnfinishedBytes(), 0u);
}

TEST(Iso2022JpProbe, FindsDesignationsAlsoWhenSplitAcrossChunks) {
  guess::Iso2022JpProbe p;
  p.Feed(Bytes("abc\x1b"sv));
  p.Feed(Bytes("$"sv));
  EXPECT_FALSE(p.Designated());
  p.Feed(Bytes("B$3\x1b(B"sv));
  EXPECT_TRUE(p.Designated());
  EXPECT_TRUE(p.SevenBit());
}

TEST(Iso2022JpProbe, LongAsciiRunsAroundAnEscapeAreSkippedWithoutMissingIt) {
  const std::string run(40, 'a');
  guess::Iso2022JpProbe split;
  split.Feed(Bytes(run + "\x1b$"));
  split.Feed(Bytes("B" + run));
  EXPECT_TRUE(split.Designated());
  guess::Iso2022JpProbe whole;
  whole.Feed(Bytes(run + "\x1b(" + run + "\x1b$B" + run + "\x82" + run));
  EXPECT_TRUE(whole.Designated());
  EXPECT_EQ(whole.FirstHighBitEnd(), 3 * 40 + 5 + 1u);
  guess::Iso2022JpProbe undesignated;
  undesignated.Feed(Bytes(run + "\x1b(B" + run + "\x1b[0m" + run));
  EXPECT_FALSE(undesignated.Designated());
}

TEST(Iso2022JpProbe, RecordsWhereTheFirstEightBitByteWas) {
  guess::Iso2022JpProbe p;
  p.Feed(Bytes("ab"sv));
  p.Feed(Bytes("c\x82\xa0"sv));
  EXPECT_FALSE(p.SevenBit());
  EXPECT_EQ(p.FirstHighBitEnd(), 4u);
}

TEST(Iso2022JpProbe, AnEscapeAfterAnIncompleteEscapeStartsAfresh) {
  guess::Iso2022JpProbe p;
  p.Feed(Bytes("\x1b\x1b$B"sv));
  EXPECT_TRUE(p.Designated());
}

// A run of ASCII is scored at once; the score must be the very double that byte-by-byte
// scoring gives, or ties between readings could turn.
template <class Probe>
void ExpectRunsScoreAsSingleBytes(std::string_view bytes) {
  Probe whole, single;
  whole.Scan(Bytes(bytes));
  for (std::size_t i = 0; i < bytes.size(); ++i) single.Scan(Bytes(bytes.substr(i, 1)));
  EXPECT_EQ(whole.Model().Score(), single.Model().Score()) << bytes;
  EXPECT_EQ(whole.Model().Chars(), single.Model().Chars()) << bytes;
  EXPECT_EQ(whole.Errors().Count(), single.Errors().Count()) << bytes;
  EXPECT_EQ(whole.UnfinishedBytes(), single.UnfinishedBytes()) << bytes;
}

TEST(ProbeScores, AsciiRunsScoreExactlyAsTheirBytesOneByOne) {
  // Kana after ASCII restarts the context; long runs; a run right after a cut lead byte.
  const std::string_view texts[] = {
      "plain text only, long enough for several words at a time"sv,
      "ab\x82\xa0" "cd\x82\xa0\x82\xa2 efghijklmnop \x93\xfa\x96\x7b\x8c\xea"sv,
      "x\xa4\xa2yyyyyyyyyyyyyyyyy\xa4\xa4\x8e\xb1z"sv,
      "x\xe3\x81\x82yyyyyyyyyyyyyyyyy\xe3\x81z\xe3"sv,
      "\xb1\xb2 abc \xde\x82"sv,
  };
  for (const std::string_view text : texts) {
    ExpectRunsScoreAsSingleBytes<guess::Utf8Probe>(text);
    ExpectRunsScoreAsSingleBytes<guess::SjisProbe>(text);
    ExpectRunsScoreAsSingleBytes<guess::EucJpProbe>(text);
  }
}

}  // namespace
}  // namespace nkf::test
