#include "zentrel/engine/list_view_sink.h"

#include <commctrl.h>

#include <string>

#include "zentrel/engine/read_error_box.h"
#include "zentrel/engine/list_view_text.h"

namespace zentrel {

ListViewSink::ListViewSink(HWND list, std::function<LPARAM()> newRowTag)
    : list_(list), newRowTag_(std::move(newRowTag)) {
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

ListViewSink::~ListViewSink() {
  ShowPendingStatus();
  ResumeDrawing();
}

void ListViewSink::ResumeDrawing() {
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void ListViewSink::SetStatus(std::wstring_view text) {
  pendingStatus_.assign(text);
  statusPending_ = true;
  if (GetTickCount64() - statusShownAt_ >= kStatusIntervalMs) ShowPendingStatus();
}

void ListViewSink::ShowPendingStatus() {
  if (!statusPending_) return;
  SetWindowTextW(GetParent(list_), pendingStatus_.c_str());
  statusPending_ = false;
  statusShownAt_ = GetTickCount64();
}

void ListViewSink::WriteRow(int rowIndex, const ResultRow& row) {
  int target = rowIndex;
  if (rowIndex < 0) {
    target = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = target;
    item.pszText = const_cast<wchar_t*>(row.path.c_str());
    if (newRowTag_) {
      item.mask |= LVIF_PARAM;
      item.lParam = newRowTag_();
    }
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  } else {
    ListViewSetCell(list_, target, 0, row.path);
  }
  ListViewSetCell(list_, target, 1, row.encoding);
  ListViewSetCell(list_, target, 2, row.lineEnding);
}

void ListViewSink::ReportError(std::wstring_view path, InspectError error) {
  ShowPendingStatus();  // the title names where the walk stands
  ResumeDrawing();      // the box's modal loop paints: the rows so far show behind it
  ShowReadError(path, error);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
}

}  // namespace zentrel
