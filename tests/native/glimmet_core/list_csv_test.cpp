#include "glimmet/core/list_csv.h"

#include <gtest/gtest.h>

namespace glimmet {
namespace {

TEST(ListViewToCsv, QuotesOnlyFieldsThatNeedItAndKeepsEveryLine) {
  const struct {
    const wchar_t* text;
    const wchar_t* csv;
  } cases[] = {
      {L"a\tb\tc", L"a,b,c\r\n"},
      {L"a\t\tc\r\n", L"a,,c\r\n\r\n"},  // a final CR LF gives a last, empty record
      {L"x,y\t\"q\"\tplain", L"\"x,y\",\"\"\"q\"\"\",plain\r\n"},
      {L"line\nbreak\tcr\rhere", L"\"line\nbreak\",\"cr\rhere\"\r\n"},
      {L"", L"\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(ListViewToCsv(c.text), c.csv) << testing::PrintToString(std::wstring(c.text));
}

}  // namespace
}  // namespace glimmet
