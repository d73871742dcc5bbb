// A report-mode list view of another process, read and driven through blocks in the target's
// memory (the system does not copy LVITEMW, HDITEMW or WM_NOTIFY blocks across processes).
#pragma once

#include "guidriver/wait.h"

#include <windows.h>

#include <string>
#include <vector>

namespace guidriver {

using Rows = std::vector<std::vector<std::wstring>>;

class RemoteListView {
 public:
  explicit RemoteListView(HWND list);

  HWND Handle() const { return list_; }

  int RowCount() const;      // LVM_GETITEMCOUNT
  int ColumnCount() const;   // HDM_GETITEMCOUNT of the header
  std::vector<std::wstring> Headers() const;

  std::wstring Cell(int row, int column) const;  // LVM_GETITEMTEXTW, any length
  Rows AllRows() const;                          // every cell of every row, row by row

  bool IsSelected(int row) const;
  std::vector<int> SelectedRows() const;
  // LVM_SETITEMSTATE on LVIS_SELECTED (and the focus with it, as a click does).
  void Select(int row, bool selected = true) const;
  void ClearSelection() const;

  // Clicks as the user makes them: mouse messages posted to the list (or its header) at the
  // middle of the row's first cell (or of the column's header), so the control itself sends its
  // parent LVN_COLUMNCLICK, NM_RCLICK or NM_DBLCLK and selects the row it lands on.
  // The effects arrive asynchronously: wait for them.
  void ClickHeader(int column) const;
  void RightClick(int row) const;   // row -1: in the empty area below the last row
  void DoubleClick(int row) const;

  // Posts the notification itself to the list's parent, with an NMLISTVIEW block (iItem `row`,
  // iSubItem `column`) written into the target: for a notification no click can produce.
  // Posted, because Wine fails a WM_NOTIFY sent between processes; the block is left to the
  // target, which may read it any time later.
  void PostNotification(UINT code, int row, int column = 0) const;

  // Where a row (LVM_GETITEMRECT, LVIR_BOUNDS) or a header item (HDM_GETITEMRECT) lies, in the
  // client coordinates of the list or of the header.
  RECT RowRect(int row) const;
  RECT HeaderRect(int column) const;

 private:
  POINT RowPoint(int row) const;
  HWND Header() const;

  HWND list_;
  DWORD processId_ = 0;
};

// Waits until the list holds exactly `rows` rows; on a timeout says how many it held.
testing::AssertionResult WaitForRowCount(const RemoteListView& list, int rows,
                                         Milliseconds timeout = kDefaultTimeout);

}  // namespace guidriver
