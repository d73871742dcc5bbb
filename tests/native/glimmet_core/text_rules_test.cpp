#include "glimmet/core/auto_stop.h"
#include "glimmet/core/box_text.h"
#include "glimmet/core/char_stats.h"
#include "glimmet/core/path_text.h"

#include <gtest/gtest.h>

using namespace glimmet;

TEST(CharStats, CountsCrLfAsOneCharacterAndNamesEachCount) {
  const std::wstring text = L"ab\r\n\t";
  EXPECT_EQ(CharStatsTip(CountCharStats(text, 5)),
            L"\u5b57\u6570:4(2) \u6539\u884c:1 5byte  \u5168\u89d2:0(0) \u534a\u89d2:2(2) "
            L"\u5168SP:0 \u534aSP:0 \u30bf\u30d6:1");
  // Two full-width characters, one of them the ideographic space, and a blank: 5 bytes in 932.
  const CharStats s = CountCharStats(L"\u65e5\u3000 ", 5);
  EXPECT_EQ(s.fullWidth, 2);
  EXPECT_EQ(s.fullWidthBlanks, 1);
  EXPECT_EQ(s.halfWidth, 1);
  EXPECT_EQ(s.halfWidthBlanks, 1);
}

TEST(BoxText, CutsAtTheLimitAndNamesTheSavedFile) {
  EXPECT_FALSE(IsOverBoxLimit(std::wstring(65534, L'a')));
  EXPECT_TRUE(IsOverBoxLimit(std::wstring(65535, L'a')));
  const std::wstring text = std::wstring(65000, L'a') + std::wstring(535, L'b');
  const std::wstring plain = CutBoxText(text, std::nullopt);
  EXPECT_EQ(plain.find(L'b'), std::wstring::npos);
  EXPECT_EQ(plain.substr(65000), L"\r\n\r\n" + std::wstring(32, L'-') +
                                     L"\r\n\u6587\u5b57\u6570\u30aa\u30fc\u30d0\u30fc\u300065000\u6587\u5b57\u8fc4\r\n" +
                                     std::wstring(32, L'-'));
  const std::wstring saved = CutBoxText(text, L"x.txt");
  EXPECT_NE(saved.find(L"\u300cx.txt\u300d\u306b\r\n\u4fdd\u5b58\u3057\u307e\u3057\u305f\uff01\r\n---"),
            std::wstring::npos);
}

TEST(BoxText, HandlesPositionsAndLineBreaks) {
  EXPECT_EQ(HandleText(1234, true), L"4D2");
  EXPECT_EQ(HandleText(1234, false), L"1234");
  EXPECT_EQ(PointerPositionText(12, 34), L"  12- 34");
  EXPECT_EQ(PointerPositionText(5, 1080), L"   5-1080");
  EXPECT_EQ(UnifyLineBreaks(L"\na\r\nb\nc\r"), L"\r\na\r\nb\r\nc\r");
}

TEST(AutoStop, CountsDownThreeTwoOneThenStops) {
  using Action = AutoStopStep::Action;
  std::vector<int> shown;
  int label = 0;
  bool stopped = false;
  for (long long idle = 0; idle <= 6000 && !stopped; idle += 10) {
    const auto step = CheckAutoStop(1, 5, idle, label);
    if (step.action == Action::ShowCount) shown.push_back(label = step.remaining);
    if (step.action == Action::Stop) {
      stopped = true;
      EXPECT_EQ(idle, 4500);  // 0.5 remaining rounds to 0
    }
  }
  EXPECT_TRUE(stopped);
  EXPECT_EQ(shown, (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(CheckAutoStop(0, 5, 99999, 0).action, Action::ClearLabel);
}

TEST(PathText, UnquotesAndResolves) {
  EXPECT_EQ(UnquotePath(L"  \" \"a b\" \"  "), L"a b");
  EXPECT_EQ(UnquotePath(L"\"a"), L"\"a");
  struct Case {
    const wchar_t* path;
    const wchar_t* expected;
  } cases[] = {
      {L"chimes.wav", L"C:\\prog\\chimes.wav"},
      {L".\\s\\c.wav", L"C:\\prog\\s\\c.wav"},
      {L"..\\media\\c.wav", L"C:\\media\\c.wav"},
      {L"a\\..\\..\\..\\c.wav", L"C:\\c.wav"},
      {L"D:\\x.wav", L"D:\\x.wav"},
      {L"\\\\srv\\s\\x.wav", L"\\\\srv\\s\\x.wav"},
      {L" \"D:\\x.wav\" ", L"D:\\x.wav"},
      {L"\"D:\\x.wav", L"\"D:\\x.wav"},
      {L"my chime.wav", L"\"C:\\prog\\my chime.wav\""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResolvePath(c.path, L"C:\\prog", true), c.expected) << testing::PrintToString(std::wstring(c.path));
}
