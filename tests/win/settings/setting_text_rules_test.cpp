// The plain text rules under the store: reading an integer setting, and which texts and key
// names the store lets into the document.
#include <gtest/gtest.h>

#include <climits>

#include "zentrel/settings/setting_int.h"
#include "zentrel/settings/xml_chars.h"

namespace zentrel {
namespace {

TEST(ParseSettingInt, ReadsDigitsUpToTheFirstNonDigit) {
  EXPECT_EQ(ParseSettingInt(L"1000"), 1000);
  EXPECT_EQ(ParseSettingInt(L"12abc"), 12);
  EXPECT_EQ(ParseSettingInt(L"007"), 7);
  EXPECT_EQ(ParseSettingInt(L"3 4"), 3);
  EXPECT_EQ(ParseSettingInt(L"5.9"), 5);
}

TEST(ParseSettingInt, NoDigitsReadsAsZero) {
  EXPECT_EQ(ParseSettingInt(L""), 0);
  EXPECT_EQ(ParseSettingInt(L"abc"), 0);
  EXPECT_EQ(ParseSettingInt(L"-"), 0);
  EXPECT_EQ(ParseSettingInt(L"+"), 0);
  EXPECT_EQ(ParseSettingInt(L"   "), 0);
  EXPECT_EQ(ParseSettingInt(L"- 5"), 0);
  EXPECT_EQ(ParseSettingInt(L"--5"), 0);
}

TEST(ParseSettingInt, SkipsLeadingWhiteSpaceAndTakesOneSign) {
  EXPECT_EQ(ParseSettingInt(L"  -12abc"), -12);
  EXPECT_EQ(ParseSettingInt(L"\t\r\n\v\f+42"), 42);
  EXPECT_EQ(ParseSettingInt(L"-0"), 0);
  // Full-width digits and an ideographic space are not part of the rule.
  EXPECT_EQ(ParseSettingInt(L"\xFF11"), 0);
  EXPECT_EQ(ParseSettingInt(L"\x3000" L"5"), 0);
}

TEST(ParseSettingInt, SaturatesOutsideThe32BitRange) {
  EXPECT_EQ(ParseSettingInt(L"2147483647"), INT_MAX);
  EXPECT_EQ(ParseSettingInt(L"2147483648"), INT_MAX);
  EXPECT_EQ(ParseSettingInt(L"-2147483648"), INT_MIN);
  EXPECT_EQ(ParseSettingInt(L"-2147483649"), INT_MIN);
  EXPECT_EQ(ParseSettingInt(L"99999999999999999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseSettingInt(L"-99999999999999999999999999999999x"), INT_MIN);
}

TEST(IsXmlText, AcceptsWhatAnXmlFileCanCarry) {
  EXPECT_TRUE(IsXmlText(L""));
  EXPECT_TRUE(IsXmlText(L"C:\\x.exe \t\r\n"));
  EXPECT_TRUE(IsXmlText(L"\x65E5\x672C"));
  EXPECT_TRUE(IsXmlText(L"\xD83D\xDE00"));  // a pair for U+1F600
  EXPECT_TRUE(IsXmlText(L"\xFFFD"));
}

TEST(IsXmlText, RefusesControlsNonCharactersAndBrokenPairs) {
  EXPECT_FALSE(IsXmlText(std::wstring(1, L'\0')));
  EXPECT_FALSE(IsXmlText(L"a\x01"));
  EXPECT_FALSE(IsXmlText(L"\x1F"));
  EXPECT_FALSE(IsXmlText(L"\xFFFE"));
  EXPECT_FALSE(IsXmlText(L"\xFFFF"));
  EXPECT_FALSE(IsXmlText(L"\xD83D"));
  EXPECT_FALSE(IsXmlText(L"\xD83Dx"));
  EXPECT_FALSE(IsXmlText(L"\xDE00\xD83D"));
}

TEST(IsPlainKey, AcceptsTheElementNamesOfSettings) {
  for (const wchar_t* key : {L"dclick", L"openapp", L"readsize", L"bom16", L"cp932", L"_a", L"a-b.c"}) {
    EXPECT_TRUE(IsPlainKey(key)) << key;
  }
}

TEST(IsPlainKey, RefusesAnythingThatWouldChangeTheXPath) {
  for (const wchar_t* key : {L"", L"a/b", L"a[1]", L"..", L"*", L"a b", L"1abc", L"-a", L"@x", L"a|b",
                             L"\x65E5"}) {
    EXPECT_FALSE(IsPlainKey(key)) << key;
  }
}

}  // namespace
}  // namespace zentrel
