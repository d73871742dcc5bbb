// Code page 932 output of the list writer under Wine: exact bytes (expected values from Python's
// cp932 codec), and one "?" for each character the code page cannot hold.
#include "zentrel/platform/code_page_932_text.h"

#include <gtest/gtest.h>

using zentrel::platform::EncodeCodePage932;

TEST(CodePage932Text, EncodesJapaneseAndTheWindowsExtensionsExactly) {
  // C:\ 日本語 \ ① ～ － ∥ ￢ ｱ .txt
  const auto result = EncodeCodePage932(L"C:\\\x65e5\x672c\x8a9e\\\x2460\xff5e\xff0d\x2225\xffe2\xff71.txt\r\n");
  EXPECT_EQ(result.bytes, "C:\\\x93\xfa\x96{\x8c\xea\\\x87\x40\x81\x60\x81\x7c\x81\x61\x81\xca\xb1.txt\r\n");
  EXPECT_FALSE(result.replaced);
}

TEST(CodePage932Text, EmptyTextAndALiteralQuestionMarkAreNoReplacement) {
  EXPECT_EQ(EncodeCodePage932(L"").bytes, "");
  EXPECT_FALSE(EncodeCodePage932(L"").replaced);
  const auto question = EncodeCodePage932(L"what?.txt");
  EXPECT_EQ(question.bytes, "what?.txt");
  EXPECT_FALSE(question.replaced);
}

TEST(CodePage932Text, EveryCharacterWithoutAFormBecomesOneQuestionMark) {
  struct Case {
    const wchar_t* text;
    const char* bytes;
  };
  const Case cases[] = {
      {L"k\xd55c.txt", "k?.txt"},                 // a Korean syllable
      {L"e\xd83d\xde00.txt", "e?.txt"},           // an emoji: one character in two code units
      {L"y\x00a5.txt", "y?.txt"},                 // best fit would give a backslash: a different path
      {L"a\x00e9\x00df\x0416", "a??\x84\x47"},    // best fit would strip the accents; Cyrillic fits
      {L"h\xd800x", "h?x"},                       // a lone high surrogate
      {L"l\xdc00", "l?"},                         // a lone low surrogate
      {L"\x65e5\xd55c\x672c", "\x93\xfa?\x96{"},  // the neighbours keep their exact bytes
  };
  for (const Case& c : cases) {
    const auto result = EncodeCodePage932(c.text);
    EXPECT_EQ(result.bytes, c.bytes) << testing::PrintToString(std::wstring(c.text));
    EXPECT_TRUE(result.replaced) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(CodePage932Text, OnlyTheLineWithoutAFormChangesInAWholeList) {
  const auto result = EncodeCodePage932(L"a\tUTF-8\tLF\r\nk\xd55c\t\t\r\n\x65e5\tBINARY\t\r\nlast");
  EXPECT_EQ(result.bytes, "a\tUTF-8\tLF\r\nk?\t\t\r\n\x93\xfa\tBINARY\t\r\nlast");
  EXPECT_TRUE(result.replaced);
}
