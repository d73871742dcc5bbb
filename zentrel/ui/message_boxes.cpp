#include "message_boxes.h"

#include <windows.h>

namespace zentrel::ui {

void ShowErrorBox(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), L"ERROR", MB_ICONERROR);
}

void ShowInfoBox(const std::wstring& text) {
  MessageBoxW(nullptr, text.c_str(), L"INFO", MB_ICONINFORMATION);
}

bool AskWarningYesNo(const std::wstring& text) {
  return MessageBoxW(nullptr, text.c_str(), L"WARNING", MB_ICONEXCLAMATION | MB_YESNO) == IDYES;
}

}  // namespace zentrel::ui
