// Report-mode list views of any process: the item records and text buffers must lie in the
// target's memory, laid out for its bitness.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "glimmet/capture/readers.h"
#include "glimmet/core/remote_layouts.h"
#include "glimmet/platform/bounded_message.h"
#include "item_text.h"

namespace glimmet::capture {
namespace {

static_assert(sizeof(void*) == 4 || (sizeof(LVITEMW) == sizeof(layout64::ListViewItem) &&
                                     offsetof(LVITEMW, pszText) == offsetof(layout64::ListViewItem, text) &&
                                     offsetof(LVITEMW, cchTextMax) == offsetof(layout64::ListViewItem, textMax)),
              "the 64-bit record is the system's LVITEMW");

constexpr int kCellChars = 256;

// One row's cells are asked for in one go: the records of all columns are written with one
// write, each pointing at its own text slot, and all slots are read back with one read.
class RowQuery {
 public:
  RowQuery(const platform::RemoteProcess& process, int columns)
      : columns_(columns),
        recordSize_(PackListViewTextQuery(process.TargetBitness(), 0, 0, 0, 0).size()),
        records_(process, recordSize_ * columns),
        texts_(process, sizeof(wchar_t) * kCellChars * columns),
        bitness_(process.TargetBitness()) {}

  explicit operator bool() const { return records_ && texts_; }

  // The cells of `row`, or nothing when the list view stopped answering.
  std::optional<std::vector<std::wstring>> Read(HWND list, int row) {
    RemoteBytes records;
    for (int column = 0; column < columns_; ++column) {
      const RemoteBytes record = PackListViewTextQuery(bitness_, row, column, SlotAddress(column), kCellChars);
      records.insert(records.end(), record.begin(), record.end());
    }
    std::vector<wchar_t> slots(static_cast<std::size_t>(kCellChars) * columns_, L'\0');
    if (!records_.Write(records.data(), records.size()) || !texts_.Write(slots.data(), slots.size() * sizeof(wchar_t))) {
      return std::vector<std::wstring>(columns_);
    }
    for (int column = 0; column < columns_; ++column) {
      const LPARAM record = records_.AsParameter() + static_cast<LPARAM>(recordSize_ * column);
      if (!platform::SendBounded(list, LVM_GETITEMW, 0, record)) return std::nullopt;
    }
    texts_.Read(slots.data(), slots.size() * sizeof(wchar_t));
    std::vector<std::wstring> cells;
    for (int column = 0; column < columns_; ++column) {
      cells.push_back(TextBeforeZero(slots.data() + static_cast<std::size_t>(kCellChars) * column, kCellChars, kCellChars));
    }
    return cells;
  }

 private:
  std::uint64_t SlotAddress(int column) const {
    return texts_.Address() + sizeof(wchar_t) * static_cast<std::uint64_t>(kCellChars) * column;
  }

  int columns_;
  std::size_t recordSize_;
  platform::RemoteBlock records_, texts_;
  Bitness bitness_;
};

}  // namespace

ReadResult ReadListView(const ReaderContext& context) {
  HWND list = context.PointWindow();
  if (!list) return {};
  const LRESULT rows = platform::SendBounded(list, LVM_GETITEMCOUNT).value_or(0);
  if (rows <= 0) return {};
  const auto header = platform::SendBounded(list, LVM_GETHEADER);
  LRESULT columns = header && *header ? platform::SendBounded(reinterpret_cast<HWND>(*header), HDM_GETITEMCOUNT).value_or(0) : 0;
  if (columns < 0) columns = 0;

  std::wstring text;
  if (columns > 0) {
    if (context.settings.listviewCol == 2) columns = 1;
    const platform::RemoteProcess process = platform::RemoteProcess::OfWindow(list);
    RowQuery query(process, static_cast<int>(columns));
    for (LRESULT row = 0; query && row < rows; ++row) {
      const auto cells = query.Read(list, static_cast<int>(row));
      if (!cells) {
        text += kInterruptionMark;
        break;
      }
      for (std::size_t column = 0; column < cells->size(); ++column) {
        text += (*cells)[column];
        if (column + 1 < cells->size()) text += L'\t';
      }
      text += L"\r\n";
      context.Progress(ProgressText(row + 1, rows));
      context.Pump();
      if (context.PointWindow() != list || !context.settings.running) {
        text += kInterruptionMark;
        break;
      }
    }
  }
  if (text.empty()) {
    return {context.Accessibility().ReadList(context.settings.treeviewIndent == 1, false), std::wstring(label::kAccessible)};
  }
  return {std::move(text), std::wstring(label::kLvmGetItem)};
}

}  // namespace glimmet::capture
