#include <gtest/gtest.h>

#include "nkf32/options.h"

namespace nkf {
namespace {

ConvertOptions Expect(std::optional<Encoding> out, bool bom, LineEnding le, bool hint = false) {
  ConvertOptions o;
  o.output = out;
  o.outputBom = bom;
  o.lineEnding = le;
  o.cp932Hint = hint;
  return o;
}

TEST(OptionParsing, EveryCombinationTheConversionBuildsIsUnderstood) {
  struct Letters {
    const char* text;
    std::optional<Encoding> out;
    bool bom;
  };
  const Letters outputs[] = {{"", std::nullopt, false},       {"s", Encoding::Cp932, false},
                             {"e", Encoding::EucJp, false},   {"j", Encoding::Iso2022Jp, false},
                             {"w8", Encoding::Utf8, true},    {"w80", Encoding::Utf8, false},
                             {"w16L", Encoding::Utf16LE, true}, {"w16L0", Encoding::Utf16LE, false},
                             {"w16B", Encoding::Utf16BE, true}, {"w16B0", Encoding::Utf16BE, false}};
  const std::pair<const char*, LineEnding> endings[] = {
      {"", LineEnding::Keep}, {"Lw", LineEnding::CrLf}, {"Lm", LineEnding::Cr}, {"Lu", LineEnding::Lf}};
  for (bool hint : {false, true}) {
    for (const auto& out : outputs) {
      for (const auto& [le, ending] : endings) {
        std::string text = std::string(hint ? "--ic=CP932 -" : "-") + out.text + le;
        OptionsResult r = ParseOptions(text);
        ASSERT_TRUE(r.ok) << text;
        EXPECT_EQ(r.options, Expect(out.out, out.bom, ending, hint)) << text;
      }
    }
  }
}

TEST(OptionParsing, GuessOptionAndEmptyText) {
  EXPECT_TRUE(ParseOptions("-g").options.guessOnly);
  EXPECT_TRUE(ParseOptions("").ok);
  EXPECT_EQ(ParseOptions("").options, ConvertOptions{});
  EXPECT_EQ(ParseOptions("-s -Lu").options, Expect(Encoding::Cp932, false, LineEnding::Lf));
}

TEST(OptionParsing, UnknownOptionsFailAndSayWhere) {
  struct Case {
    const char* text;
    std::size_t at;
  };
  for (auto [text, at] : {Case{"-x", 1}, Case{"-sLx", 3}, Case{"-L", 2}, Case{"--ic=EUC-JP -w", 5},
                          Case{"--oc=UTF-8", 0}, Case{"s", 0}, Case{"-w32", 2}, Case{"-w8 x", 4}}) {
    OptionsResult r = ParseOptions(text);
    EXPECT_FALSE(r.ok) << text;
    EXPECT_EQ(r.errorAt, at) << text;
  }
}

TEST(OptionParsing, LaterOutputLetterWins) {
  EXPECT_EQ(ParseOptions("-sw80").options.output, Encoding::Utf8);
  EXPECT_EQ(ParseOptions("-w16L0e").options, Expect(Encoding::EucJp, false, LineEnding::Keep));
}

}  // namespace
}  // namespace nkf
