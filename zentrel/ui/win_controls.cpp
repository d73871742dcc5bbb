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

void ListViewInsertColumn(HWND list, int index, const std::wstring& title, int width) {
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.fmt = LVCFMT_LEFT;
  column.cx = width;
  column.pszText = const_cast<wchar_t*>(title.c_str());
  column.iSubItem = index;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void ListViewInsertRow(HWND list, int row, const std::wstring& firstCell) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = 0;
  item.pszText = const_cast<wchar_t*>(firstCell.c_str());
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewSetCell(HWND list, int row, int column, const std::wstring& text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::wstring ListViewCellText(HWND list, int row, int column) {
  std::vector<wchar_t> buffer(260);
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    LRESULT copied = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                  reinterpret_cast<LPARAM>(&item));
    if (static_cast<size_t>(copied) + 1 < buffer.size())
      return std::wstring(buffer.data(), static_cast<size_t>(copied));
    buffer.resize(buffer.size() + 260);
  }
}

int ListViewRowCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

void ComboAddString(HWND combo, const std::wstring& text) {
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void EnableDialogItem(HWND dialog, int id, bool enable) {
  EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
}

}  // namespace zentrel::ui
