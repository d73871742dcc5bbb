#include "win_controls.h"

#include <vector>

namespace zentrel::ui {

std::wstring LoadResourceString(HINSTANCE instance, UINT id) {
  const wchar_t* text = nullptr;
  // With a zero buffer size LoadStringW hands out a read-only pointer into the resource itself.
  int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::wstring WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::wstring DialogItemText(HWND dialog, int id, int limit) {
  std::vector<wchar_t> buffer(static_cast<size_t>(limit), L'\0');
  UINT copied = GetDlgItemTextW(dialog, id, buffer.data(), limit);
  return std::wstring(buffer.data(), copied);
}

void ComboAddString(HWND combo, const std::wstring& text) {
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void EnableDialogItem(HWND dialog, int id, bool enable) {
  EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
}

}  // namespace zentrel::ui
