#pragma once
// Thin typed wrappers over the control messages Zentrel's dialogs send, so handlers read as intent
// and the UTF-16 buffer details live in one place.

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace zentrel::ui {

std::wstring LoadResourceString(HINSTANCE instance, UINT id);

std::wstring WindowText(HWND window);
std::wstring DialogItemText(HWND dialog, int id, int limit);  // limit counts the terminator

void ListViewInsertColumn(HWND list, int index, const std::wstring& title, int width);
void ListViewInsertRow(HWND list, int row, const std::wstring& firstCell);
void ListViewSetCell(HWND list, int row, int column, const std::wstring& text);
// The whole text of a cell, however long: the buffer grows until the text fits.
std::wstring ListViewCellText(HWND list, int row, int column);
int ListViewRowCount(HWND list);

void ComboAddString(HWND combo, const std::wstring& text);

void EnableDialogItem(HWND dialog, int id, bool enable);

}  // namespace zentrel::ui
