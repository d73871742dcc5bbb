#include "glimmet/core/accessibility_text.h"

#include <gtest/gtest.h>

namespace glimmet {
namespace {

TEST(AccessibilityText, RoleNamesOnlyForTheStandardNumbers) {
  EXPECT_EQ(RoleName(L"9"), L"WINDOW");
  EXPECT_EQ(RoleName(L"1"), L"TITLEBAR");
  EXPECT_EQ(RoleName(L"63"), L"IPADDRESS");
  EXPECT_EQ(RoleName(L"64"), L"");
  EXPECT_EQ(RoleName(L"0"), L"");
  EXPECT_EQ(RoleName(L"push button"), L"");
  EXPECT_EQ(RoleName(L"09"), L"");
}

TEST(AccessibilityText, StateWordsInReportOrderNotBitOrder) {
  EXPECT_EQ(StateFlagsText(0x100004), L"FOCUSED,FOCUSABLE");
  EXPECT_EQ(StateFlagsText(0x1 | 0x2 | 0x8 | 0x10), L"UNAVAILABLE,CHECKED,PRESSED,SELECTED");
  EXPECT_EQ(StateFlagsText(0x3000000), L"EXTSELECTABLE,EXTSELECTABLE");
  EXPECT_EQ(StateFlagsText(0x800), L"");  // bits without a word add nothing
  EXPECT_EQ(StateFlagsText(0), L"");
}

TEST(AccessibilityText, NamesOverFiftyCharactersAreCut) {
  EXPECT_EQ(TruncatedName(std::wstring(50, L'a')), std::wstring(50, L'a'));
  EXPECT_EQ(TruncatedName(std::wstring(51, L'a')), std::wstring(50, L'a') + L".......");
}

TEST(AccessibilityText, ListLinesInBothForms) {
  ListedObject button{L"OK", L"43", {10, 20, 30, 40}, 0, L""};
  ListedObject pane{L"Pane", L"16", {0, 0, 100, 50}, 3, L""};
  EXPECT_EQ(AncestorLine(pane), L" \"Pane\" 16:PANE (0,0,100,50) ChildCount=3\r\n");
  EXPECT_EQ(ChildLine(button, true), L" \"OK\" 43:PUSHBUTTON (10,20,40,60)\r\n");
  EXPECT_EQ(ChildLine(pane, true), L" \"Pane\" 16:PANE (0,0,100,50) ChildCount=3\r\n");
  EXPECT_EQ(ChildLine(button, false), L" OK\r\n");
  ListedObject other;
  other.typeName = L"IDispatch";
  EXPECT_EQ(ChildLine(other, true), L" TypeName=IDispatch\r\n");
}

AccessibilityReportParts ButtonReport(int maxCount) {
  AccessibilityReportParts parts;
  parts.record = {L"OK", L"", L"43", L"Alt+O", L"Press", L"desc", L"0", 0x100004, {10, 20, 30, 40}, 0,
                  L"Container"};
  parts.maxCount = maxCount;
  return parts;
}

TEST(AccessibilityReport, FullReportFromAWindow) {
  AccessibilityReportParts parts = ButtonReport(10);
  parts.window = AccessibilityReportParts::Window{L"1234", L"Button", L"OK"};
  parts.ancestorLines = L" \"Dialog\" 18:DIALOG (0,0,200,100) ChildCount=2\r\n";
  parts.childLines = L" \"a\" 34:LISTITEM (1,2,3,4)\r\n";
  EXPECT_EQ(FormatAccessibilityReport(parts),
            L"MSAA(MS Active Accessibility) info.\r\n"
            L"\u3000--Get from window handle(1234)\r\n"
            L"\u3000\u3000Button \"OK\"\r\n"
            L"---------------------------------------\r\n"
            L"Name       : OK\r\n"
            L"Value      : \r\n"
            L"Role       : 43 PUSHBUTTON\r\n"
            L"State      : x100004 FOCUSED,FOCUSABLE\r\n"
            L"KbShortCut : Alt+O\r\n"
            L"Location   : (l:10,t:20,r:40,b:60)\r\n"
            L"ChildCount : 0\r\n"
            L"DefAction  : Press\r\n"
            L"Description: desc\r\n\r\n"
            L"Id         : 0\r\n"
            L"Object Type: Container\r\n\r\n"
            L"Ancestors  : top \u2192 bottom\r\n"
            L" \"Dialog\" 18:DIALOG (0,0,200,100) ChildCount=2\r\n\r\n"
            L"Children   : 0 max=10\r\n"
            L" \"a\" 34:LISTITEM (1,2,3,4)\r\n\r\n");
}

TEST(AccessibilityReport, MaximumZeroEndsWithBothZeroCountLines) {
  const std::wstring report = FormatAccessibilityReport(ButtonReport(0));
  const std::wstring tail =
      L"Parents    : max get count = 0\r\n\r\nChildren \u3000: max get count = 0";
  ASSERT_GE(report.size(), tail.size());
  EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
}

TEST(AccessibilityReport, NoRoleIsNotMsaaAndNoAncestorsSaySo) {
  AccessibilityReportParts parts;
  parts.maxCount = 3;
  EXPECT_EQ(FormatAccessibilityReport(parts),
            L"MSAA(MS Active Accessibility) info.\r\n"
            L"---------------------------------------\r\n"
            L"\r\n %% Not MSAA %%\r\n\r\n"
            L"Ancestors  : GetParentObject failed\r\n\r\n");
}

}  // namespace
}  // namespace glimmet
