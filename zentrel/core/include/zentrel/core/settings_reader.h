#pragma once
// The settings the inspection engine reads, every time it needs them, each with the caller's
// fallback for an absent key. Keys are the settings file's element names ("readsize", "checktype",
// ...).

#include <string>
#include <string_view>
#include <vector>

#include "zentrel/core/setting_keys.h"

namespace zentrel {

class SettingsReader {
 public:
  virtual ~SettingsReader() = default;
  virtual int GetInt(std::wstring_view key, int fallback) = 0;
  virtual std::wstring GetString(std::wstring_view key, std::wstring_view fallback) = 0;
  int Get(const setting::Int& s) { return GetInt(s.key, s.fallback); }
  std::wstring Get(const setting::Text& s) { return GetString(s.key, s.fallback); }
  // The name-filter entries in list order.
  virtual std::vector<std::wstring> ReadIgnoreList() = 0;
};

}  // namespace zentrel
