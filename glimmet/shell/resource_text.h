#pragma once
// A text of the resource script's string table.

#include <windows.h>

#include <string>

namespace glimmet::shell {

inline std::wstring ResourceText(HINSTANCE instance, UINT id) {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace glimmet::shell
