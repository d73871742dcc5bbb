#include "glimmet/platform/ansi_text.h"

#include <windows.h>

namespace glimmet::platform {

AnsiText ToAnsi(std::wstring_view text) {
  AnsiText result;
  if (text.empty()) return result;
  BOOL usedDefault = FALSE;
  const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &usedDefault);
  result.bytes.resize(size);
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                        result.bytes.data(), size, nullptr, &usedDefault);
  result.complete = !usedDefault;
  return result;
}

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(size, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  return text;
}

long long AnsiLength(std::wstring_view text) {
  if (text.empty()) return 0;
  return ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
}

}  // namespace glimmet::platform
