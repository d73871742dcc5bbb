#include "zentrel/core/settings_snapshot.h"

namespace zentrel {

SettingsSnapshot::SettingsSnapshot(SettingsReader& source) : ignoreList_(source.ReadIgnoreList()) {
  for (const setting::Int& walkSetting : setting::kWalkSettings)
    ints_.emplace(std::wstring(walkSetting.key), source.Get(walkSetting));
}

int SettingsSnapshot::GetInt(std::wstring_view key, int fallback) {
  const auto it = ints_.find(key);
  return it == ints_.end() ? fallback : it->second;
}

}  // namespace zentrel
