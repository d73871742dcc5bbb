#include "glimmet/core/page_texts.h"

#include <gtest/gtest.h>

namespace glimmet {
namespace {

TEST(PageTexts, ElementTableGolden) {
  const std::wstring fifty(50, L'x');
  const std::vector<ElementFacts> rows = {
      {L"html", L"", L"", L"a\r\nb"},                         // CR LF removed
      {L"TEXTAREA", L"textarea-type", L"twelve-chars", L"t"},  // every column full: one blank each
      {L"p", L"", L"para", fifty + L"12"},                      // 52: limit + 2, shown whole
      {L"Span", L"", L"", fifty + L"123"},                      // 53: cut
  };
  EXPECT_EQ(FormatElementTable(rows, 50),
            L"Tag     Type        Id          Text\r\n"
            L"------------------------------------------\r\n"
            L"HTML                            ab\r\n"
            L"TEXTAREA textarea-type twelve-chars t\r\n"
            L"P                   para        " + fifty + L"12\r\n"
            L"SPAN                            " + fifty + L"...\r\n");
}

TEST(PageTexts, RowTextCutsAfterRemovingLineBreaks) {
  const struct {
    std::wstring_view text;
    int limit;
    std::wstring_view shown;
  } cases[] = {
      {L"abcd\r\nef", 3, L"abc..."},    // 6 characters after removal: more than 3 + 2
      {L"ab\r\ncd\r\n", 2, L"abcd"},   // 4 = limit + 2
      {L"lone\rcr\nlf", 20, L"lone\rcr\nlf"},  // only CR LF pairs go
      {L"abc", 0, L"..."},
      {L"abc", -5, L"..."},             // a negative limit is 0, not a crash
      {L"ab", -5, L"ab"},
  };
  for (const auto& c : cases) EXPECT_EQ(ElementRowText(c.text, c.limit), c.shown) << c.limit;
}

TEST(PageTexts, DocumentWindowByClassAndTagLine) {
  const struct {
    std::wstring_view className;
    DocumentWindowRule rule;
  } cases[] = {
      {L"Internet Explorer_Server", DocumentWindowRule::Self},
      {L"Internet Explorer_TridentCmboBx", DocumentWindowRule::Parent},
      {L"Internet Explorer_TridentLstBox", DocumentWindowRule::Parent},
      {L"MicrosoftSilverlight", DocumentWindowRule::Self},
      {L"ServerLstBox", DocumentWindowRule::Self},  // "Server" wins over the drop-list rule
      {L"Internet Explorer_Hidden", DocumentWindowRule::None},
  };
  for (const auto& c : cases) EXPECT_EQ(DocumentWindowOf(c.className), c.rule) << std::string(c.className.begin(), c.className.end());
  EXPECT_EQ(PageTagLine(L"input", L"user"), L"INPUT\u3000user");
  EXPECT_TRUE(IsFrameTag(L"iframe"));
  EXPECT_FALSE(IsFrameTag(L"FRAMESET"));
}

}  // namespace
}  // namespace glimmet
