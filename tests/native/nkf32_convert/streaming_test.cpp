// Chunked conversion gives exactly the bytes (or the failure) of converting the input as a whole.
#include <gtest/gtest.h>

#include "test_support.h"

namespace nkf::test {
namespace {

struct Chunked {
  ConvertResult result;
  Bytes out;
};

Chunked ConvertInPieces(const Bytes& in, const GuessResult& guess, std::string_view options,
                        const std::vector<std::size_t>& cuts) {
  Chunked c;
  ConversionPlan plan;
  c.result = PlanConversion(Opts(options), guess, plan);
  if (!c.result.ok()) return c;
  StreamConverter s(plan);
  std::size_t at = 0;
  for (std::size_t cut : cuts) {
    c.result = s.Feed(std::span(in).subspan(at, cut - at), c.out);
    if (!c.result.ok()) return c;
    at = cut;
  }
  c.result = s.Feed(std::span(in).subspan(at), c.out);
  if (c.result.ok()) c.result = s.Finish(c.out);
  return c;
}

struct Sample {
  const char* name;
  Bytes bytes;
  Encoding encoding;
  bool bom;
};

const Sample kSamples[] = {
    {"Shift_JIS", B("a\x82\xa0\r\n\xb1\x88\x9f\r\x87\x40z"), Encoding::Cp932, false},
    {"EUC-JP", B("\xa4\xa2\r\n\x8e\xb1\x8f\xb0\xa1\rz"), Encoding::EucJp, false},
    {"ISO-2022-JP", B("a\x1b$B$\"0!\x1b(B\r\n\x1b(I1\x1b(Bz"), Encoding::Iso2022Jp, false},
    {"UTF-8", B("\xef\xbb\xbf" "a\xe3\x81\x82\r\n\xf0\x9f\x98\x80\rz"), Encoding::Utf8, true},
    {"UTF-16LE", B(std::string("\xff\xfe\x42\x30\r\0\n\0\x3d\xd8\x00\xde\r\0", 14)), Encoding::Utf16LE, true},
    {"UTF-32BE", B(std::string("\0\0\x30\x42\0\0\0\r\0\0\0\n", 12)), Encoding::Utf32BE, false},
};

TEST(Streaming, EveryCutOfEverySampleGivesTheWholeResult) {
  for (const Sample& s : kSamples) {
    GuessResult guess{s.encoding, s.bom, s.bytes.size()};
    for (const char* options : {"-w80", "-w16B", "-Lu", "-Lw", "-w8Lm", "-e", "-jLw"}) {
      Chunked whole = ConvertInPieces(s.bytes, guess, options, {});
      for (std::size_t cut = 0; cut <= s.bytes.size(); ++cut) {
        Chunked two = ConvertInPieces(s.bytes, guess, options, {cut});
        EXPECT_EQ(two.result.error, whole.result.error) << s.name << options << " cut " << cut;
        EXPECT_EQ(two.result.position, whole.result.position) << s.name << options << " cut " << cut;
        if (whole.result.ok()) {
          EXPECT_EQ(two.out, whole.out) << s.name << options << " cut " << cut;
        }
      }
      std::vector<std::size_t> bytewise;
      for (std::size_t i = 1; i < s.bytes.size(); ++i) bytewise.push_back(i);
      Chunked ones = ConvertInPieces(s.bytes, guess, options, bytewise);
      EXPECT_EQ(ones.result.error, whole.result.error) << s.name << options;
      if (whole.result.ok()) {
        EXPECT_EQ(ones.out, whole.out) << s.name << options;
      }
    }
  }
}

TEST(Streaming, TruncationAtEveryPositionFailsAtTheCutCharacterOrSucceeds) {
  for (const Sample& s : kSamples) {
    GuessResult guess{s.encoding, s.bom, s.bytes.size()};
    for (std::size_t len = 0; len < s.bytes.size(); ++len) {
      Bytes prefix(s.bytes.begin(), s.bytes.begin() + static_cast<std::ptrdiff_t>(len));
      Chunked c = ConvertInPieces(prefix, guess, "-w80", {len / 2});
      if (!c.result.ok()) {
        EXPECT_EQ(c.result.error, ConvertError::InvalidInput) << s.name << " len " << len;
        EXPECT_LT(c.result.position, len + 1) << s.name << " len " << len;
        EXPECT_GE(c.result.position + 4, len) << s.name << " len " << len;  // at the cut-off character
      }
    }
  }
}

TEST(Streaming, LargeInputAcrossBlockBoundaries) {
  Bytes line = B("\x82\xa0\x82\xa2 abc\r\n");
  Bytes big;
  for (int i = 0; i < 30000; ++i) big.insert(big.end(), line.begin(), line.end());
  GuessResult guess{Encoding::ShiftJis, false, big.size()};
  Chunked whole = ConvertInPieces(big, guess, "-w80Lu", {});
  ASSERT_TRUE(whole.result.ok());
  Chunked odd = ConvertInPieces(big, guess, "-w80Lu", {1, 65537, 65538, 131075, 200001});
  EXPECT_EQ(odd.out, whole.out);
  Bytes expected;
  Bytes converted = B("\xe3\x81\x82\xe3\x81\x84 abc\n");
  for (int i = 0; i < 30000; ++i) expected.insert(expected.end(), converted.begin(), converted.end());
  EXPECT_EQ(whole.out, expected);
}

}  // namespace
}  // namespace nkf::test
