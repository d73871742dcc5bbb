#include "list_sort.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "win_controls.h"

namespace zentrel::ui {
namespace {

struct SortContext {
  std::vector<std::wstring> keys;  // by the row's index before the sort
  bool ascending;
};

int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
  const auto& sort = *reinterpret_cast<const SortContext*>(context);
  // wchar_t is an unsigned 16-bit code unit on Windows, so this is the ordinal order.
  const int order = sort.keys[static_cast<size_t>(first)].compare(sort.keys[static_cast<size_t>(second)]);
  const int sign = order < 0 ? -1 : (order > 0 ? 1 : 0);
  return sort.ascending ? sign : -sign;
}

LPARAM RowData(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

void SetRowData(HWND list, int row, LPARAM data) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = data;
  SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void SortListByColumn(HWND list, int column, bool ascending) {
  // The list's index-based sort (LVM_SORTITEMSEX) is not dependable everywhere, so each row's item
  // data briefly becomes its old index, the key to a snapshot of the texts, and is put back after.
  const int count = ListViewRowCount(list);
  SortContext context{{}, ascending};
  std::vector<LPARAM> data(static_cast<size_t>(count));
  context.keys.reserve(static_cast<size_t>(count));
  for (int row = 0; row < count; ++row) {
    context.keys.push_back(ListViewCellText(list, row, column));
    data[static_cast<size_t>(row)] = RowData(list, row);
    SetRowData(list, row, row);
  }
  SendMessageW(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&context), reinterpret_cast<LPARAM>(CompareRows));
  for (int row = 0; row < count; ++row)
    SetRowData(list, row, data[static_cast<size_t>(RowData(list, row))]);
}

}  // namespace zentrel::ui
