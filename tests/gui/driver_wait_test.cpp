// Waiting for conditions.
#include "guidriver/wait.h"

#include <gtest/gtest.h>

using namespace guidriver;

TEST(DriverWait, ReturnsAsSoonAsTheConditionHolds) {
  int polls = 0;
  EXPECT_TRUE(WaitUntil([&] { return ++polls == 3; }, "the third poll"));
  EXPECT_EQ(polls, 3);
}

TEST(DriverWait, TimeoutMessageSaysWhatWasAwaitedAndWhatWasSeen) {
  int polls = 0;
  const auto result = WaitUntil([&] { return ++polls < 0; }, "a negative count",
                                [&] { return "count " + std::to_string(polls); }, Milliseconds{50});
  ASSERT_FALSE(result);
  const std::string message = result.message();
  EXPECT_NE(message.find("timed out after 50 ms waiting for a negative count"), std::string::npos) << message;
  EXPECT_NE(message.find("seen: count " + std::to_string(polls)), std::string::npos) << message;
  EXPECT_GT(polls, 1);
}
