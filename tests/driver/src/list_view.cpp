#include "guidriver/list_view.h"

#include "guidriver/driver_error.h"
#include "guidriver/messages.h"
#include "guidriver/remote_buffer.h"

#include <commctrl.h>

#include <algorithm>

namespace guidriver {
namespace {

constexpr size_t kTextOffset = (sizeof(LVITEMW) + 15) & ~size_t{15};
constexpr int kFirstTextCapacity = 1024;  // characters; grown for longer cells
constexpr int kLargestTextCapacity = 1 << 20;

// One reusable block: an LVITEMW followed by its text buffer.
class RemoteItem {
 public:
  RemoteItem(DWORD processId, int capacity)
      : capacity_(capacity),
        block_(processId, kTextOffset + static_cast<size_t>(capacity) * sizeof(wchar_t)) {}

  int Capacity() const { return capacity_; }

  LPARAM Prepare(LVITEMW item) {
    item.pszText = static_cast<wchar_t*>(block_.AddressAt(kTextOffset));
    item.cchTextMax = capacity_;
    block_.Write(&item, sizeof(item));
    return reinterpret_cast<LPARAM>(block_.Address());
  }

  std::wstring Text(size_t length) const {
    // The answer is the target's word; never read past the block on its say-so.
    if (length >= static_cast<size_t>(capacity_)) length = static_cast<size_t>(capacity_) - 1;
    std::wstring text(length, L'\0');
    if (length) block_.Read(text.data(), length * sizeof(wchar_t), kTextOffset);
    return text;
  }

 private:
  int capacity_;
  RemoteBuffer block_;
};

std::wstring ReadCell(HWND list, RemoteItem& item, int row, int column) {
  LVITEMW request{};
  request.iSubItem = column;
  const auto length = static_cast<size_t>(
      Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), item.Prepare(request)));
  return item.Text(length);
}

}  // namespace

RemoteListView::RemoteListView(HWND list) : list_(list) {
  if (!::IsWindow(list)) throw DriverError("RemoteListView: not a window");
  ::GetWindowThreadProcessId(list, &processId_);
}

int RemoteListView::RowCount() const { return static_cast<int>(Send(list_, LVM_GETITEMCOUNT)); }

int RemoteListView::ColumnCount() const {
  HWND header = reinterpret_cast<HWND>(Send(list_, LVM_GETHEADER));
  if (!header) return 0;
  return static_cast<int>(Send(header, HDM_GETITEMCOUNT));
}

std::vector<std::wstring> RemoteListView::Headers() const {
  HWND header = Header();
  const int count = static_cast<int>(Send(header, HDM_GETITEMCOUNT));
  constexpr size_t kOffset = (sizeof(HDITEMW) + 15) & ~size_t{15};
  constexpr int kCapacity = 512;
  RemoteBuffer block(processId_, kOffset + kCapacity * sizeof(wchar_t));
  std::vector<std::wstring> headers;
  for (int column = 0; column < count; ++column) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = static_cast<wchar_t*>(block.AddressAt(kOffset));
    item.cchTextMax = kCapacity;
    block.Write(&item, sizeof(item));
    if (!Send(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(block.Address()))) {
      throw DriverError("HDM_GETITEMW failed for column " + std::to_string(column));
    }
    wchar_t text[kCapacity] = {};
    block.Read(text, sizeof(text) - sizeof(wchar_t), kOffset);
    headers.emplace_back(text);
  }
  return headers;
}

std::wstring RemoteListView::Cell(int row, int column) const {
  // A cell that fills the buffer may have been cut; read again with room to spare.
  for (int capacity = kFirstTextCapacity;; capacity *= 4) {
    RemoteItem item(processId_, capacity);
    std::wstring text = ReadCell(list_, item, row, column);
    if (static_cast<int>(text.size()) < capacity - 1 || capacity >= kLargestTextCapacity) return text;
  }
}

Rows RemoteListView::AllRows() const {
  const int rows = RowCount();
  const int columns = std::max(ColumnCount(), 1);  // a list with no header still has column 0
  RemoteItem item(processId_, kFirstTextCapacity);
  Rows all(static_cast<size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      std::wstring text = ReadCell(list_, item, row, column);
      if (static_cast<int>(text.size()) >= item.Capacity() - 1) text = Cell(row, column);
      all[static_cast<size_t>(row)].push_back(std::move(text));
    }
  }
  return all;
}

bool RemoteListView::IsSelected(int row) const {
  return (Send(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

std::vector<int> RemoteListView::SelectedRows() const {
  std::vector<int> rows;
  const int count = RowCount();
  for (int row = 0; row < count; ++row) {
    if (IsSelected(row)) rows.push_back(row);
  }
  return rows;
}

void RemoteListView::Select(int row, bool selected) const {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = selected ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
  RemoteBuffer block(processId_, sizeof(item));
  block.Write(&item, sizeof(item));
  if (!Send(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.Address()))) {
    throw DriverError("LVM_SETITEMSTATE failed for row " + std::to_string(row));
  }
}

void RemoteListView::ClearSelection() const {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  RemoteBuffer block(processId_, sizeof(item));
  block.Write(&item, sizeof(item));
  // Row -1 means every row.
  Send(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(block.Address()));
}

HWND RemoteListView::Header() const {
  HWND header = reinterpret_cast<HWND>(Send(list_, LVM_GETHEADER));
  if (!header) throw DriverError("the list view has no header (not in report mode?)");
  return header;
}

namespace {

RECT ReadRemoteRect(DWORD processId, HWND window, UINT message, WPARAM index, LONG firstField) {
  RemoteBuffer block(processId, sizeof(RECT));
  RECT rect{firstField, 0, 0, 0};  // LVM_GETITEMRECT reads the portion wanted from `left`
  block.Write(&rect, sizeof(rect));
  if (!Send(window, message, index, reinterpret_cast<LPARAM>(block.Address()))) {
    throw DriverError("no rectangle for item " + std::to_string(static_cast<long long>(index)));
  }
  return block.ReadAs<RECT>();
}

POINT Middle(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

LPARAM PointParam(POINT point) { return MAKELPARAM(point.x, point.y); }

}  // namespace

RECT RemoteListView::RowRect(int row) const {
  return ReadRemoteRect(processId_, list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), LVIR_BOUNDS);
}

RECT RemoteListView::HeaderRect(int column) const {
  return ReadRemoteRect(processId_, Header(), HDM_GETITEMRECT, static_cast<WPARAM>(column), 0);
}

POINT RemoteListView::RowPoint(int row) const {
  // The label of the first cell: a click there hits the row with or without full-row selection.
  if (row >= 0) return Middle(ReadRemoteRect(processId_, list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), LVIR_LABEL));
  // Below the last row (or below the header of an empty list), inside the client area.
  RECT client{};
  ::GetClientRect(list_, &client);
  const int rows = RowCount();
  LONG top = 0;
  if (rows > 0) {
    top = RowRect(rows - 1).bottom;
  } else if (HWND header = reinterpret_cast<HWND>(Send(list_, LVM_GETHEADER))) {
    RECT headerRect{};
    ::GetWindowRect(header, &headerRect);
    top = headerRect.bottom - headerRect.top;
  }
  if (top + 4 >= client.bottom) throw DriverError("the list has no empty area below its rows");
  return POINT{8, top + 4};
}

void RemoteListView::ClickHeader(int column) const {
  HWND header = Header();
  const POINT point = Middle(HeaderRect(column));
  Post(header, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(point));
  Post(header, WM_LBUTTONUP, 0, PointParam(point));
}

void RemoteListView::PostNotification(UINT code, int row, int column) const {
  // NMITEMACTIVATE begins with the NMLISTVIEW fields, so one block serves both kinds.
  NMITEMACTIVATE notify{};
  notify.hdr.hwndFrom = list_;
  notify.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list_));
  notify.hdr.code = code;
  notify.iItem = row;
  notify.iSubItem = column;
  RemoteBuffer block(processId_, sizeof(notify));
  block.Write(&notify, sizeof(notify));
  Post(::GetParent(list_), WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(block.Address()));
  block.Release();
}

void RemoteListView::RightClick(int row) const {
  const POINT point = RowPoint(row);
  Post(list_, WM_RBUTTONDOWN, MK_RBUTTON, PointParam(point));
  Post(list_, WM_RBUTTONUP, 0, PointParam(point));
}

void RemoteListView::DoubleClick(int row) const {
  const POINT point = RowPoint(row);
  // The sequence a real double-click produces; the list reacts to the second press.
  Post(list_, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(point));
  Post(list_, WM_LBUTTONUP, 0, PointParam(point));
  Post(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(point));
  Post(list_, WM_LBUTTONUP, 0, PointParam(point));
}

testing::AssertionResult WaitForRowCount(const RemoteListView& list, int rows, Milliseconds timeout) {
  int seen = -1;
  return WaitUntil([&] { return (seen = list.RowCount()) == rows; }, std::to_string(rows) + " rows",
                   [&] { return std::to_string(seen) + " rows"; }, timeout);
}

}  // namespace guidriver
