// Decoding a settings file's bytes into markup the document can parse on every implementation.
#include <gtest/gtest.h>

#include "zentrel/settings/code_page_text.h"
#include "zentrel/settings/xml_file_text.h"

namespace zentrel {
namespace {

TEST(DecodeXmlFile, ShiftJisDeclarationDecodesAndIsRemoved) {
  const auto text = DecodeXmlFile("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<a>\x93\xfa\x96\x7b</a>\r\n");
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, L"\r\n<a>\x65E5\x672C</a>\r\n");
}

TEST(DecodeXmlFile, EncodingNameIsFoundInAnyQuotingAndCase) {
  const auto single = DecodeXmlFile("<?xml version='1.0' encoding='shift_jis'?><a>\x82\xa0</a>");
  ASSERT_TRUE(single);
  EXPECT_EQ(*single, L"<a>\x3042</a>");
  const auto spaced = DecodeXmlFile("<?xml version=\"1.0\" encoding = \"Windows-31J\" ?><a>\x82\xa0</a>");
  ASSERT_TRUE(spaced);
  EXPECT_EQ(*spaced, L"<a>\x3042</a>");
}

TEST(DecodeXmlFile, WithoutDeclarationOrEncodingTheTextIsUtf8) {
  const auto bare = DecodeXmlFile("<a>\xe6\x97\xa5</a>");
  ASSERT_TRUE(bare);
  EXPECT_EQ(*bare, L"<a>\x65E5</a>");
  const auto versionOnly = DecodeXmlFile("<?xml version=\"1.0\"?><a>\xe6\x97\xa5</a>");
  ASSERT_TRUE(versionOnly);
  EXPECT_EQ(*versionOnly, L"<a>\x65E5</a>");
}

TEST(DecodeXmlFile, ByteOrderMarksDecide) {
  const auto utf8 = DecodeXmlFile("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>\xe6\x97\xa5</a>");
  ASSERT_TRUE(utf8);
  EXPECT_EQ(*utf8, L"<a>\x65E5</a>");
  const auto le = DecodeXmlFile(std::string("\xFF\xFE<\0a\0>\0\xE5\x65<\0/\0a\0>\0", 18));
  ASSERT_TRUE(le);
  EXPECT_EQ(*le, L"<a>\x65E5</a>");
  const auto be = DecodeXmlFile(std::string("\xFE\xFF\0<\0a\0>\x65\xE5\0<\0/\0a\0>", 18));
  ASSERT_TRUE(be);
  EXPECT_EQ(*be, L"<a>\x65E5</a>");
  EXPECT_FALSE(DecodeXmlFile(std::string("\xFF\xFE<\0a", 5)));
}

TEST(DecodeXmlFile, UnknownEncodingsAndInvalidBytesGiveNothing) {
  EXPECT_FALSE(DecodeXmlFile("<?xml version=\"1.0\" encoding=\"x-unknown\"?><a/>"));
  EXPECT_FALSE(DecodeXmlFile("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a>\x82</a>"));
  EXPECT_FALSE(DecodeXmlFile("<a>\xe6\x97</a>"));
}

TEST(DecodeXmlFile, OnlyALeadingDeclarationIsRemoved) {
  EXPECT_EQ(*DecodeXmlFile("<?xml-stylesheet href=\"a\"?><a/>"), L"<?xml-stylesheet href=\"a\"?><a/>");
  EXPECT_EQ(*DecodeXmlFile("<a/><?xml version=\"1.0\"?>"), L"<a/><?xml version=\"1.0\"?>");
  EXPECT_EQ(*DecodeXmlFile("plain text"), L"plain text");
}

TEST(EncodeExactly, RefusesBestFitSubstitutes) {
  EXPECT_EQ(*EncodeExactly(kShiftJisCodePage, L"\x65E5\x672C\\"), "\x93\xfa\x96\x7b\\");
  EXPECT_FALSE(EncodeExactly(kShiftJisCodePage, L"\x00A5"));  // would become a backslash
  EXPECT_FALSE(EncodeExactly(kShiftJisCodePage, L"\xD83D\xDE00"));
  EXPECT_EQ(*EncodeExactly(kShiftJisCodePage, L""), "");
}

}  // namespace
}  // namespace zentrel
