#pragma once
// Reading and writing the texts of a report-mode list view with synchronous messages, so the same
// calls serve the window's own thread and the conversion worker.

#include <windows.h>

#include <string>

namespace zentrel {

int ListViewRowCount(HWND list);
// The whole text of a cell, however long: the buffer grows by 260 characters until the text fits.
std::wstring ListViewCellText(HWND list, int row, int column);
// At most maxChars characters of a cell.
std::wstring ListViewCellPrefix(HWND list, int row, int column, int maxChars);
LPARAM ListViewRowData(HWND list, int row);
void ListViewInsertColumn(HWND list, int index, const std::wstring& title, int width);
void ListViewInsertRow(HWND list, int row, const std::wstring& firstCell);
void ListViewSetCell(HWND list, int row, int column, const std::wstring& text);

}  // namespace zentrel
