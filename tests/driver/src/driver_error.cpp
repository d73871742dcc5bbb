#include "guidriver/driver_error.h"

namespace guidriver {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
  return out;
}

void ThrowLastError(const std::string& what, DWORD error) {
  wchar_t* buffer = nullptr;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer),
      0, nullptr);
  std::wstring system = length ? std::wstring(buffer, length) : std::wstring();
  if (buffer) ::LocalFree(buffer);
  while (!system.empty() && (system.back() == L'\n' || system.back() == L'\r')) system.pop_back();
  throw DriverError(what + " (error " + std::to_string(error) + (system.empty() ? "" : ": ") +
                    Utf8(system) + ")");
}

}  // namespace guidriver
