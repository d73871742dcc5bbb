#include "zentrel/export/list_text.h"

#include <gtest/gtest.h>

using zentrel::AppendListLine;
using zentrel::ListDelimiter;
using zentrel::ListRowCells;

TEST(ListDelimiter, TabOnlyForTypeZeroOtherwiseTheWholeTextEvenEmpty) {
  EXPECT_EQ(ListDelimiter(0, L";;"), L"\t");
  EXPECT_EQ(ListDelimiter(1, L";;"), L";;");
  EXPECT_EQ(ListDelimiter(2, L" | "), L" | ");
  EXPECT_EQ(ListDelimiter(-1, L","), L",");
  EXPECT_EQ(ListDelimiter(1, L""), L"");
}

TEST(ListLine, JoinsThreeCellsAndEndsWithCrLf) {
  std::wstring text;
  AppendListLine(text, ListRowCells{L"C:\\a.txt", L"UTF-8", L"LF"}, L"\t");
  AppendListLine(text, ListRowCells{L"C:\\b.bin", L"BINARY", L""}, L"\t");
  EXPECT_EQ(text, L"C:\\a.txt\tUTF-8\tLF\r\nC:\\b.bin\tBINARY\t\r\n");
}

TEST(ListLine, NeitherQuotesNorEscapesADelimiterInsideACell) {
  std::wstring text;
  AppendListLine(text, ListRowCells{L"C:\\x;;y \"q\".txt", L"", L""}, L";;");
  EXPECT_EQ(text, L"C:\\x;;y \"q\".txt;;;;\r\n");
}

TEST(ListLine, EmptyDelimiterRunsTheCellsTogether) {
  std::wstring text;
  AppendListLine(text, ListRowCells{L"p", L"e", L"l"}, L"");
  EXPECT_EQ(text, L"pel\r\n");
}

TEST(ListLine, KeepsACellOfAnyLengthWhole) {
  const std::wstring longPath(40000, L'x');
  std::wstring text;
  AppendListLine(text, ListRowCells{longPath, L"UTF-8", L"CR LF"}, L",");
  EXPECT_EQ(text, longPath + L",UTF-8,CR LF\r\n");
}
