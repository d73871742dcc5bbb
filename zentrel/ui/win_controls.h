#pragma once
// Thin typed wrappers over the control messages Zentrel's dialogs send, so handlers read as intent
// and the UTF-16 buffer details live in one place.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "zentrel/engine/list_view_text.h"

namespace zentrel::ui {

std::wstring LoadResourceString(HINSTANCE instance, UINT id);

std::wstring WindowText(HWND window);
std::wstring DialogItemText(HWND dialog, int id, int limit);  // limit counts the terminator

using zentrel::ListViewCellText;
using zentrel::ListViewInsertColumn;
using zentrel::ListViewInsertRow;
using zentrel::ListViewRowCount;
using zentrel::ListViewSetCell;

void ComboAddString(HWND combo, const std::wstring& text);

void EnableDialogItem(HWND dialog, int id, bool enable);

}  // namespace zentrel::ui
