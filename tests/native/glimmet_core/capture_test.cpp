#include "glimmet/core/capture_pass.h"
#include "glimmet/core/capture_texts.h"

#include <gtest/gtest.h>

using namespace glimmet;

TEST(CaptureTexts, DetailAndDispTextChooseTheSlots) {
  struct Case {
    int detail, dispText;
    const wchar_t* htmlMode;
    int upper, lower;
  } cases[] = {
      {0, 0, L"", 2, 2}, {1, 0, L"", 1, 1}, {0, 1, L"0", 2, 2},     // controls: text or report
      {0, 1, L"1", 2, 3}, {0, 0, L"1", 2, 2}, {1, 1, L"1", 1, 1},   // documents: text, source, table
      {0, 1, L"1.5", 2, 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UpperSlot(c.detail), c.upper);
    EXPECT_EQ(LowerSlot(c.detail, c.dispText, c.htmlMode), c.lower)
        << c.detail << c.dispText << testing::PrintToString(std::wstring(c.htmlMode));
  }
}

TEST(CapturePass, FirstRunWithThePointerStillCapturesOnTheSecondPass) {
  CapturePass pass;
  pass.StartRun();
  EXPECT_FALSE(pass.Decide(300, 200, 0, false));  // the last point starts at (0, 0): a move
  EXPECT_TRUE(pass.Decide(300, 200, 50000, false));  // the first capture of the program's life
  pass.lastCaptureTick = 50000;
  pass.Captured();
  EXPECT_FALSE(pass.Decide(300, 200, 50010, false));
}

TEST(CapturePass, SecondRunWithinThirtySecondsWaitsForAMoveAClickOrTheRefresh) {
  CapturePass pass;
  pass.lastCaptureTick = 10000;
  pass.Captured();
  pass.StartRun();
  EXPECT_FALSE(pass.Decide(300, 200, 0, false));      // the move recorded at time 0
  EXPECT_FALSE(pass.Decide(300, 200, 20000, false));  // starts no dwell
  EXPECT_TRUE(pass.Decide(300, 200, 20010, true));    // a click forces a capture
  pass.Captured();
  EXPECT_FALSE(pass.Decide(301, 200, 20020, false));  // moved
  EXPECT_FALSE(pass.Decide(301, 200, 20060, false));  // rested 40 ms
  EXPECT_TRUE(pass.Decide(301, 200, 20070, false));   // rested 50 ms
  pass.lastCaptureTick = 20070;
  pass.Captured();
  EXPECT_FALSE(pass.Decide(301, 200, 50069, false));
  EXPECT_TRUE(pass.Decide(301, 200, 50070, false));   // the 30 s refresh
}

TEST(CapturePass, TheFirstPassOfARunOnThePreviousPointIsNoRefresh) {
  // The pointer rests at (0, 0), where a run's last point starts: the first pass sees no move.
  CapturePass pass;
  pass.lastCaptureTick = 10000;
  pass.Captured();
  pass.StartRun();
  EXPECT_FALSE(pass.Decide(0, 0, 0, false));
  EXPECT_TRUE(pass.Decide(0, 0, 40000, false));  // 30 s after the last capture
}
