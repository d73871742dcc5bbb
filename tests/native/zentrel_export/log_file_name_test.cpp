#include "zentrel/export/log_file_name.h"

#include <gtest/gtest.h>

#include <climits>

using zentrel::AutomaticLogName;
using zentrel::LocalTimeStamp;

TEST(AutomaticLogName, PlainNameInTheCurrentDirectoryWithoutAStamp) {
  EXPECT_EQ(AutomaticLogName(std::nullopt), L"./zentrel.log");
}

TEST(AutomaticLogName, StampIsZeroPaddedDateAndTime) {
  EXPECT_EQ(AutomaticLogName(LocalTimeStamp{2014, 3, 1, 9, 30, 5}), L"./zentrel_20140301_093005.log");
  EXPECT_EQ(AutomaticLogName(LocalTimeStamp{2026, 12, 31, 23, 59, 59}), L"./zentrel_20261231_235959.log");
  EXPECT_EQ(AutomaticLogName(LocalTimeStamp{987, 1, 2, 0, 0, 0}), L"./zentrel_09870102_000000.log");
}

TEST(AutomaticLogName, OutOfRangeFieldsWidenTheNameRatherThanCutIt) {
  const std::wstring name = AutomaticLogName(LocalTimeStamp{INT_MIN, 100, 1, 1, 1, 1});
  EXPECT_EQ(name, L"./zentrel_-214748364810001_010101.log");
}
