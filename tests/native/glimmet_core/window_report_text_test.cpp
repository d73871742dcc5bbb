#include "glimmet/core/window_report_text.h"

#include <gtest/gtest.h>

namespace glimmet {
namespace {

TEST(WindowReport, ChildWindowWithOwnerParentsAndTable) {
  WindowReportParts parts;
  parts.window = {1234, L"Edit", L"text", {10, 20, 110, 44}};
  parts.owner = ReportedWindow{200, L"#32770", L"Owner", {}};
  parts.parents = {{100, L"Top", L"Main", {0, 0, 500, 400}}, {150, L"Pane", L"", {5, 5, 50, 50}}};
  parts.children = {{1234, L"Button", L"OK", {1, 2, 3, 4}},
                    {70000, L"AVeryLongClassNameOf25Chars", L"", {-5, 0, 0, 0}}};
  EXPECT_EQ(FormatWindowReport(parts),
            L"Window Info.\r\n"
            L"--------------------------------------\r\n"
            L"handle  \u3000\u3000\u3000\uFF1A1234(x4D2)\r\n"
            L"class name\u3000\u3000\uFF1AEdit\r\n"
            L"title     \u3000\u3000\uFF1Atext\r\n"
            L"location(LTRB)\uFF1A(10,20,110,44)\r\n"
            L"\r\n"
            L"owner   \u3000\u3000  \uFF1A\r\n"
            L" 200(xC8) #32770 \"Owner\"\r\n"
            L"\r\n"
            L"parent windows\uFF1A top \u2192 bottom\r\n"
            L" 100 Top (0,0,500,400) \"Main\"\r\n"
            L" 150 Pane (5,5,50,50)\r\n"
            L"\r\n"
            L"child windows\r\n"
            L"\r\n"
            L"handle   class name               location(l,t,r,b)     text\r\n"
            L"-------------------------------------------------------------\r\n"
            L"    1234 Button                    (1,2,3,4) \"OK\" \r\n"
            L"   70000 AVeryLongClassNameOf25Chars (-5,0,0,0)  \r\n");
}

TEST(WindowReport, TopLevelWithoutOwnerOrParentsAndHexTable) {
  WindowReportParts parts;
  parts.window = {1, L"Top", L"", {}};
  parts.children = {{1234, L"Static", L"", {}}, {123456789, L"Static", L"", {}}};
  parts.hexHandles = true;
  const std::wstring report = FormatWindowReport(parts);
  // The first lines show both forms whatever the setting; the table follows it.
  EXPECT_NE(report.find(L"\uFF1A1(x1)\r\n"), std::wstring::npos);
  EXPECT_NE(report.find(L"owner   \u3000\u3000  \uFF1A\r\n\r\nparent windows\uFF1A top \u2192 bottom\r\n\r\nchild"),
            std::wstring::npos);
  EXPECT_NE(report.find(L"\r\n    x4D2 Static "), std::wstring::npos);
  EXPECT_NE(report.find(L"\r\nx75BCD15 Static "), std::wstring::npos);
}

}  // namespace
}  // namespace glimmet
