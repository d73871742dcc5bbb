#include "glimmet/core/version_text.h"

#include <gtest/gtest.h>

TEST(VersionText, RevisionFollowsMinorWithoutSeparator) {
  EXPECT_EQ(glimmet::VersionText(1, 2, 3), L"1.23");
  EXPECT_EQ(glimmet::VersionText(1, 0, 0), L"1.00");
  EXPECT_EQ(glimmet::VersionText(2, 10, 4), L"2.104");
}
