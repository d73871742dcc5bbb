#pragma once
// The walk's settings as they stood when the copy was taken. A conversion job takes one on the
// window's thread, where the settings document lives, and its worker reads the copy: nothing can
// change the settings while the job runs.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "zentrel/core/settings_reader.h"

namespace zentrel {

class SettingsSnapshot final : public SettingsReader {
 public:
  // Reads every setting of setting::kWalkSettings and the ignore list from `source`.
  explicit SettingsSnapshot(SettingsReader& source);

  // A key of the walk gives its value as read (with the walk's fallback); any other key `fallback`.
  int GetInt(std::wstring_view key, int fallback) override;
  // The walk reads no text setting.
  std::wstring GetString(std::wstring_view, std::wstring_view fallback) override { return std::wstring(fallback); }
  std::vector<std::wstring> ReadIgnoreList() override { return ignoreList_; }

 private:
  std::map<std::wstring, int, std::less<>> ints_;
  std::vector<std::wstring> ignoreList_;
};

}  // namespace zentrel
