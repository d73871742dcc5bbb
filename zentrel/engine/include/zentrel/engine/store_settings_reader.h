#pragma once
// The engine's view of the settings: straight through to the settings document, every time.

#include "zentrel/core/settings_reader.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel {

class StoreSettingsReader final : public SettingsReader {
 public:
  explicit StoreSettingsReader(const SettingsStore& store) : store_(store) {}
  int GetInt(std::wstring_view key, int fallback) override { return store_.GetSettingInt(key, fallback); }
  std::wstring GetString(std::wstring_view key, std::wstring_view fallback) override {
    return store_.GetSettingString(key, fallback);
  }
  std::vector<std::wstring> ReadIgnoreList() override { return store_.ReadIgnoreList(); }

 private:
  const SettingsStore& store_;
};

}  // namespace zentrel
