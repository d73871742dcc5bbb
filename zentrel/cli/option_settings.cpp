#include "option_settings.h"

namespace zentrel::cli {

int OptionSettings::GetInt(std::wstring_view key, int fallback) {
  if (key == setting::kReadSize.key) return options_.readSize;
  if (key == setting::kCheckType.key) return options_.select ? 1 : 0;
  if (key == setting::kStringType.key) return options_.regex ? 1 : 0;
  if (key == setting::kUseFullPath.key) return options_.fullPath ? 1 : 0;
  return fallback;
}

std::wstring OptionSettings::GetString(std::wstring_view, std::wstring_view fallback) {
  return std::wstring(fallback);
}

}  // namespace zentrel::cli
