#include "zentrel/engine/list_view_text.h"

#include <commctrl.h>

#include <vector>

namespace zentrel {
namespace {

size_t CopyCellText(HWND list, int row, int column, std::vector<wchar_t>& buffer) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer.data();
  item.cchTextMax = static_cast<int>(buffer.size());
  return static_cast<size_t>(
      SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}

}  // namespace

int ListViewRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListViewCellText(HWND list, int row, int column) {
  std::vector<wchar_t> buffer(260);
  for (;;) {
    const size_t copied = CopyCellText(list, row, column, buffer);
    if (copied + 1 < buffer.size()) return std::wstring(buffer.data(), copied);
    buffer.resize(buffer.size() + 260);
  }
}

std::wstring ListViewCellPrefix(HWND list, int row, int column, int maxChars) {
  std::vector<wchar_t> buffer(static_cast<size_t>(maxChars) + 1);
  const size_t copied = CopyCellText(list, row, column, buffer);
  return std::wstring(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}

LPARAM ListViewRowData(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.lParam;
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

}  // namespace zentrel
