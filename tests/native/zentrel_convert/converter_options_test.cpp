#include "zentrel/convert/converter_options.h"

#include <gtest/gtest.h>

using zentrel::BuildConverterOptions;
using zentrel::ConverterChoices;

namespace {

ConverterChoices Choices(int encoding, int eol, bool cp932 = true, bool bom8 = false, bool bom16 = true) {
  return {encoding, eol, cp932, bom8, bom16};
}

}  // namespace

TEST(ConverterOptions, ShiftJisSourceGetsTheCp932HintOnlyWithTheSetting) {
  EXPECT_EQ(BuildConverterOptions(L"Shift_JIS", Choices(2, 2)), "--ic=CP932 -w80Lu");
  EXPECT_EQ(BuildConverterOptions(L"Shift_JIS", Choices(2, 2, false)), "-w80Lu");
  EXPECT_EQ(BuildConverterOptions(L"Shift_JIS", Choices(-1, 0)), "--ic=CP932 -Lw");
}

TEST(ConverterOptions, OnlyTheExactTextShiftJisEarnsTheHint) {
  for (const wchar_t* other : {L"SHIFT_JIS", L"shift_jis", L"Shift_JIS ", L"CP932", L"EUC-JP", L""})
    EXPECT_EQ(BuildConverterOptions(other, Choices(0, -1)), "-s") << static_cast<int>(other[0]);
}

TEST(ConverterOptions, EncodingLettersFollowTheByteOrderMarkSettings) {
  const struct { int choice; bool bom8, bom16; const char* letters; } cases[] = {
      {0, false, true, "-s"},     {1, false, true, "-e"},     {5, false, true, "-j"},
      {2, false, true, "-w80"},   {2, true, true, "-w8"},     {3, false, true, "-w16L"},
      {3, false, false, "-w16L0"}, {4, false, true, "-w16B"}, {4, true, false, "-w16B0"},
      {-1, true, true, "-"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BuildConverterOptions(L"UTF-8", Choices(c.choice, -1, true, c.bom8, c.bom16)), c.letters) << c.choice;
}

TEST(ConverterOptions, LineEndingLettersComeLast) {
  EXPECT_EQ(BuildConverterOptions(L"ASCII", Choices(-1, 1)), "-Lm");
  EXPECT_EQ(BuildConverterOptions(L"ASCII", Choices(3, 1, true, false, false)), "-w16L0Lm");
  EXPECT_EQ(BuildConverterOptions(L"Shift_JIS", Choices(-1, 1)), "--ic=CP932 -Lm");
}

TEST(ConverterOptions, EveryCombinationStaysWithinTheLibrarysOptionLength) {
  for (int encoding = -1; encoding <= 5; ++encoding)
    for (int eol = -1; eol <= 2; ++eol)
      for (int flags = 0; flags < 8; ++flags)
        EXPECT_LE(BuildConverterOptions(L"Shift_JIS", Choices(encoding, eol, flags & 1, flags & 2, flags & 4)).size(), 19u);
}
