#pragma once
// The automatic log's file name: "./zentrel.log", or with a time stamp
// "./zentrel_YYYYMMDD_hhmmss.log". Relative on purpose: the log lies in the current directory.

#include <optional>
#include <string>

namespace zentrel {

// A local wall-clock time as the system reports it (month 1-12, day 1-31).
struct LocalTimeStamp {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Without a stamp every log rewrites the same file; with one, two logs of the same second share a
// name and the later replaces the earlier.
std::wstring AutomaticLogName(const std::optional<LocalTimeStamp>& stamp);

}  // namespace zentrel
