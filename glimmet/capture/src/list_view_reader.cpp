// Report-mode list views of any process: the item records and text buffers must lie in the
// target's memory, laid out for its bitness.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
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
constexpr std::size_t kSlotBytes = sizeof(wchar_t) * kCellChars;
// Rows asked for between one write and one read of the target's memory; each remote memory call
// costs about as much as a message under some systems, so they are shared by many cells.
constexpr std::size_t kBatchBytes = 256 * 1024;

// A batch of rows in one block of the target: the cell records first, then one text slot per
// cell. One write puts all records (and empty slots) there, one message per cell fills the
// slots, one read brings the texts back.
class CellBatch {
 public:
  CellBatch(const platform::RemoteProcess& process, int columns)
      : columns_(columns),
        bitness_(process.TargetBitness()),
        recordSize_(PackListViewTextQuery(bitness_, 0, 0, 0, 0).size()),
        rows_(std::max<int>(1, static_cast<int>(kBatchBytes / ((recordSize_ + kSlotBytes) * columns)))),
        block_(process, (recordSize_ + kSlotBytes) * columns * rows_) {}

  explicit operator bool() const { return static_cast<bool>(block_); }
  int Rows() const { return rows_; }

  // Records for rows firstRow .. firstRow + count - 1, every slot empty.
  bool Prepare(int firstRow, int count) {
    RemoteBytes bytes;
    bytes.reserve(block_.Size());
    for (int row = 0; row < count; ++row) {
      for (int column = 0; column < columns_; ++column) {
        const RemoteBytes record = PackListViewTextQuery(bitness_, firstRow + row, column, SlotAddress(row, column), kCellChars);
        bytes.insert(bytes.end(), record.begin(), record.end());
      }
    }
    bytes.resize(SlotOffset(0, 0) + kSlotBytes * columns_ * count, std::byte{0});
    return block_.Write(bytes.data(), bytes.size());
  }

  // Asks for every cell of one row of the batch; false when the list view did not answer.
  bool Ask(HWND list, int row) {
    for (int column = 0; column < columns_; ++column) {
      const LPARAM record = block_.AsParameter() + static_cast<LPARAM>(recordSize_ * (row * columns_ + column));
      if (!platform::SendBounded(list, LVM_GETITEMW, 0, record)) return false;
    }
    return true;
  }

  // Appends the first `count` rows: cells joined by TAB, each row ending with CR LF.
  void AppendRows(int count, std::wstring& text) const {
    std::vector<wchar_t> slots(static_cast<std::size_t>(kCellChars) * columns_ * count, L'\0');
    if (count == 0 || !block_.Read(slots.data(), slots.size() * sizeof(wchar_t), SlotOffset(0, 0))) slots.assign(slots.size(), L'\0');
    for (int row = 0; row < count; ++row) {
      for (int column = 0; column < columns_; ++column) {
        const std::size_t cell = static_cast<std::size_t>(row * columns_ + column) * kCellChars;
        text += TextBeforeZero(slots.data() + cell, kCellChars, kCellChars);
        if (column + 1 < columns_) text += L'\t';
      }
      text += L"\r\n";
    }
  }

 private:
  std::size_t SlotOffset(int row, int column) const {
    return recordSize_ * columns_ * rows_ + kSlotBytes * static_cast<std::size_t>(row * columns_ + column);
  }
  std::uint64_t SlotAddress(int row, int column) const { return block_.Address() + SlotOffset(row, column); }

  int columns_;
  Bitness bitness_;
  std::size_t recordSize_;
  int rows_;
  platform::RemoteBlock block_;
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
    CellBatch batch(process, static_cast<int>(columns));
    bool stopped = false;
    for (LRESULT first = 0; batch && !stopped && first < rows; first += batch.Rows()) {
      const int count = static_cast<int>(std::min<LRESULT>(batch.Rows(), rows - first));
      if (!batch.Prepare(static_cast<int>(first), count)) break;
      int done = 0;
      while (done < count && !stopped) {
        if (!batch.Ask(list, done)) {
          stopped = true;
          break;
        }
        ++done;
        context.Progress(ProgressText(first + done, rows));
        context.Pump();
        stopped = context.PointWindow() != list || !context.settings.running;
      }
      batch.AppendRows(done, text);
    }
    if (stopped) text += kInterruptionMark;
  }
  if (text.empty()) {
    return {context.Accessibility().ReadList(context.settings.treeviewIndent == 1, false), std::wstring(label::kAccessible)};
  }
  return {std::move(text), std::wstring(label::kLvmGetItem)};
}

}  // namespace glimmet::capture
