#pragma once
// A caller's (pointer, length counting the NUL) path, read without trusting the length: never past
// `length` characters, and only up to the first NUL.

#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <optional>

namespace nkf::dll {

inline std::optional<std::filesystem::path> BoundedPath(LPCWSTR text, DWORD length) {
  if (!text || length == 0) return std::nullopt;
  std::size_t n = ::wcsnlen(text, length);
  if (n == 0) return std::nullopt;
  return std::filesystem::path(std::wstring(text, n));
}

}  // namespace nkf::dll
