#include "option_settings.h"

namespace zentrel::cli {

int OptionSettings::GetInt(std::wstring_view key, int fallback) {
  if (key == L"readsize") return options_.readSize;
  if (key == L"checktype") return options_.select ? 1 : 0;
  if (key == L"stringtype") return options_.regex ? 1 : 0;
  if (key == L"usefullpath") return options_.fullPath ? 1 : 0;
  return fallback;
}

std::wstring OptionSettings::GetString(std::wstring_view, std::wstring_view fallback) {
  return std::wstring(fallback);
}

}  // namespace zentrel::cli
