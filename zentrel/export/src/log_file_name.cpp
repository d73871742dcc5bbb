#include "zentrel/export/log_file_name.h"

#include <cstdio>

namespace zentrel {

std::wstring AutomaticLogName(const std::optional<LocalTimeStamp>& stamp) {
  if (!stamp) return L"./zentrel.log";
  // Wide enough for any int fields, so an odd clock value widens the name instead of cutting it.
  char suffix[96];
  std::snprintf(suffix, sizeof suffix, "_%04d%02d%02d_%02d%02d%02d", stamp->year, stamp->month,
                stamp->day, stamp->hour, stamp->minute, stamp->second);
  std::wstring name = L"./zentrel";
  for (const char* c = suffix; *c; ++c) name += static_cast<wchar_t>(*c);
  return name + L".log";
}

}  // namespace zentrel
