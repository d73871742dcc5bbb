#pragma once
// Zentrel talks to the user only through owner-less message boxes with three fixed captions.

#include <string>

namespace zentrel::ui {

void ShowErrorBox(const std::wstring& text);    // "ERROR", error icon
void ShowInfoBox(const std::wstring& text);     // "INFO", information icon
bool AskWarningYesNo(const std::wstring& text); // "WARNING", exclamation icon, Yes/No; true on Yes

}  // namespace zentrel::ui
