#include "glimmet/core/conf_file.h"

#include <gtest/gtest.h>

using namespace glimmet;

namespace {

// Every key set to a value unlike its default, so a key that is not read back shows.
StoredSettings Unusual() {
  StoredSettings s;
  int next = 101;
  for (const auto& key : ConfKeys()) {
    if (auto text = std::get_if<std::wstring StoredSettings::*>(&key.field))
      s.*(*text) = L"v " + std::to_wstring(next++) + L" \u65e5";
    else
      s.*std::get<int StoredSettings::*>(key.field) = -(next++);
  }
  s.turnBack = 1;
  s.detail = 1;
  return s;
}

bool SameStored(const StoredSettings& a, const StoredSettings& b) {
  for (const auto& key : ConfKeys()) {
    if (auto text = std::get_if<std::wstring StoredSettings::*>(&key.field)) {
      if (a.*(*text) != b.*(*text)) return false;
    } else if (a.*std::get<int StoredSettings::*>(key.field) != b.*std::get<int StoredSettings::*>(key.field)) {
      return false;
    }
  }
  return true;
}

}  // namespace

TEST(ConfFile, WritesTheThirtySixLinesInOrderWithTheirExactLiterals) {
  StoredSettings s = DefaultSettings({19200, 14400, 15, 15});
  const std::wstring expected =
      L"form left = 640\r\nform top = 320\r\nform right = 1024\r\nform bottom = 720\r\n"
      L"top height = 1200\r\ndisp Top = 1\r\ntreeview indent = 1\r\nlistview col = 0\r\n"
      L"to file = 0\r\nturn back = 0\r\nmous pos = screen\r\nwin handle = dec\r\nhotkey = ESC\r\n"
      L"enable hot t = 1\r\ndisp text = 0\r\nstart node = 0\r\nauto start= 0\r\nclipboard= 0\r\n"
      L"hint = 0\r\nauto stop = 0\r\nauto stop time = 0\r\nauto close = 0\r\nchime = 1\r\n"
      L"chime file = chimes.wav\r\ndetail = 0\r\nshift = 0\r\nshiftx = 20\r\nshifty = 30\r\n"
      L"parent & children = 1\r\nparent & children max= 10\r\nfrom hwnd = 0\r\naction test = 0\r\n"
      L"html tag text length = 50\r\nsetting no = 0\r\nsetting left = 7238\r\nsetting top = 3338\r\n";
  EXPECT_EQ(ConfText(s), expected);
}

TEST(ConfFile, WhatIsWrittenReadsBackAsTheSameRecord) {
  const StoredSettings written = Unusual();
  StoredSettings read;
  ApplyConfText(ConfText(written), read);
  EXPECT_TRUE(SameStored(written, read));
}

TEST(ConfFile, LinesAreReadByTheirRules) {
  struct Case {
    const wchar_t* text;
    int StoredSettings::*field;
    int expected;
  } cases[] = {
      {L"DISP TOP = 0", &StoredSettings::dispTop, 0},               // any case
      {L"  auto stop time   =   2.5  ", &StoredSettings::autoStopTime, 2},  // halves to even
      {L"auto stop time = 3.5", &StoredSettings::autoStopTime, 4},
      {L"auto stop time = -2.5", &StoredSettings::autoStopTime, -2},
      {L"shiftx = 12abc", &StoredSettings::shiftX, 12},             // the leading number
      {L"shiftx = abc", &StoredSettings::shiftX, 0},                // no number: 0
      {L"shiftx = 4294967296", &StoredSettings::shiftX, 20},        // beyond 32 bits: ignored
      {L"shiftx = 2147483647", &StoredSettings::shiftX, 2147483647},
      {L"shiftx 5", &StoredSettings::shiftX, 20},                   // no "=": ignored
      {L"shiftx = 5 = 6", &StoredSettings::shiftX, 20},             // two "=": ignored
      {L"detail = 2", &StoredSettings::detail, 0},                  // not a check box state
      {L"shiftx = 5\r\nshiftx = 7\r\n", &StoredSettings::shiftX, 7},  // the later line wins
      {L"parent & children max= 3", &StoredSettings::parentAndChildrenMax, 3},
      {L"html tag text length = 80\n", &StoredSettings::htmlTagTextLength, 80},
  };
  for (const auto& c : cases) {
    StoredSettings s;
    ApplyConfText(c.text, s);
    EXPECT_EQ(s.*c.field, c.expected) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(ConfFile, TextValuesKeepTheTrimmedValueEvenWhenEmpty) {
  StoredSettings s;
  ApplyConfText(L"hotkey =\r\nchime file = a=b.wav\r\nwin handle =  hex \r\n", s);
  EXPECT_EQ(s.hotkey, L"");
  EXPECT_EQ(s.chimeFile, L"chimes.wav");
  EXPECT_EQ(s.winHandle, L"hex");
}

TEST(ConfFile, DefaultsComeFromTheScreenRoundedHalfToEven) {
  // 1025 x 769 pixels at 10 twips a pixel (144 DPI): 512.5 -> 512, 256.33 -> 256, 820 -> 820,
  // 576.75 -> 577; settings form (10250 - 4725) / 2 = 2762.5 -> 2762.
  const StoredSettings s = DefaultSettings({10250, 7690, 10, 10});
  EXPECT_EQ((std::array{s.formLeft, s.formTop, s.formRight, s.formBottom}),
            (std::array{512, 256, 820, 577}));
  EXPECT_EQ(s.settingLeft, 2762);
  EXPECT_EQ(s.settingTop, -18);
}
