#include "zentrel/convert/progress_dialog.h"

#include <commctrl.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "convert_one_file.h"
#include "convert_strings.h"
#include "recheck_read_ahead.h"
#include "zentrel/core/read_ahead.h"
#include "zentrel/platform/file_system_win.h"
#include "zentrel/engine/read_error_box.h"
#include "zentrel/engine/nkf_dll_guesser.h"
#include "zentrel/engine/store_settings_reader.h"
#include "zentrel/core/inspection_engine.h"
#include "zentrel/engine/list_view_text.h"
#include "progress_ids.h"
#include "zentrel/platform/window_dpi.h"

namespace zentrel {
namespace {

// Sent by the worker: kShowProgressNow before a box about a file the re-check cannot read (so the
// rows so far show behind it), kWorkerFinished as its last act, so the dialog's own thread shows the
// rest and updates its buttons.
constexpr UINT kShowProgressNow = WM_APP + 1;
constexpr UINT kWorkerFinished = WM_APP + 2;

// The status list, bar and file label follow the worker at this pace. Updating them per file
// cost more than converting a typical file under Wine (each row repainted the list, and the
// worker waited for every update). Each update still costs some 30 ms of list work under Wine
// (growing, scrolling and repainting the list), taken from the worker on a two-processor machine:
// twice a second keeps the progress live at a few per cent of the job.
constexpr UINT kShowIntervalMs = 500;
constexpr UINT_PTR kShowTimer = 1;

const std::wstring kJobFinishedLabel = convert_text::kJobFinished;

const wchar_t* OutcomeText(int result) {
  if (result == kConvertSkipped) return L"skip";
  return result == kConvertFailed ? L"ERROR" : L"success";
}

}  // namespace

ProgressDialog::ProgressDialog(HINSTANCE instance, ConversionRequest request)
    : instance_(instance), request_(std::move(request)) {}

ProgressDialog::~ProgressDialog() = default;

void ProgressDialog::Run(HWND owner) {
  RunModal(instance_, IDD_PROGRESS, owner);
  // The dialog only ends once the worker has finished its last message; it is returning now.
  if (worker_.IsValid()) WaitForSingleObject(worker_.Get(), INFINITE);
}

void ProgressDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      if (header.idFrom == IDC_PROGRESS_STATUS && header.code == LVN_GETDISPINFOW)
        OnStatusText(reinterpret_cast<NMLVDISPINFOW&>(header).item);
      break;
    }
    case WM_INITDIALOG: OnInitDialog(); break;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); break;
    case WM_CLOSE: OnClose(); break;
    case WM_TIMER: ShowProgress(); break;
    case kShowProgressNow: ShowProgress(); break;
    case kWorkerFinished: OnWorkerFinished(); break;
  }
}

void ProgressDialog::OnInitDialog() {
  stop_ = false;
  const int rows = ListViewRowCount(request_.resultList);
  rows_.assign(static_cast<size_t>(rows), {});
  rowsRead_ = 0;
  statusRows_.reserve(rows_.size() + 1);
  // The settings document lives on this thread; the worker and the read-ahead use these copies.
  choices_ = ChoicesOf(request_);
  StoreSettingsReader liveSettings(*request_.settings);
  walkSettings_ = std::make_unique<SettingsSnapshot>(liveSettings);
  readAhead_ = std::make_unique<RecheckReadAhead>();
  // The bar's bounds are 16-bit: a longer list simply fills it early (its position stops at the end).
  SendDlgItemMessageW(dialog_, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(rows)));
  HWND status = GetDlgItem(dialog_, IDC_PROGRESS_STATUS);
  const UINT dpi = WindowDpi(status);  // the widths are pixels at 96 DPI
  ListViewInsertColumn(status, 0, convert_text::kStatusHeaderFile, ScaleToDpi(250, dpi));
  ListViewInsertColumn(status, 1, convert_text::kStatusHeaderResult, ScaleToDpi(50, dpi));
  EnableWindow(GetDlgItem(dialog_, IDOK), FALSE);
  SetTimer(dialog_, kShowTimer, kShowIntervalMs, nullptr);
  worker_ = platform::FileHandle(CreateThread(nullptr, 0, WorkerMain, this, 0, nullptr));
  if (!worker_.IsValid()) {
    OnWorkerFinished();  // nothing runs: let the user close the dialog
    return;
  }
  ReadRows();
}

// Reading a row costs three list messages, a millisecond in all per ten rows under Wine: the worker
// converts the first rows meanwhile instead of waiting for the whole list.
void ProgressDialog::ReadRows() {
  HWND list = request_.resultList;
  std::vector<std::wstring> paths;
  paths.reserve(rows_.size());
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    JobRow read{ListViewCellText(list, row, 0), ListViewCellPrefix(list, row, 1, 255),
                request_.dropRootOfRow(ListViewRowData(list, row))};
    paths.push_back(read.path);
    {
      std::lock_guard lock(rowsMutex_);
      rows_[static_cast<size_t>(row)] = std::move(read);
      rowsRead_ = row + 1;
    }
    rowsChanged_.notify_all();
  }
  readAhead_->Start(std::move(paths), walkSettings_->Get(setting::kReadSize));
}

const ProgressDialog::JobRow& ProgressDialog::RowWhenRead(int row) {
  std::unique_lock lock(rowsMutex_);
  rowsChanged_.wait(lock, [&] { return rowsRead_ > row; });
  return rows_[static_cast<size_t>(row)];
}

void ProgressDialog::WaitForAllRows() {
  if (!rows_.empty()) RowWhenRead(static_cast<int>(rows_.size()) - 1);
}

void ProgressDialog::ShowProgress() {
  TakeProgress();
  DrawLists();
}

// Puts what the worker has done since the last call into the windows. Both lists take their rows
// undrawn: a list that draws repaints itself as it grows, scrolls and changes (some ten
// milliseconds each under Wine); DrawLists paints them once afterwards.
void ProgressDialog::TakeProgress() {
  const std::vector<JobEvent> events = progress_.TakeAll();
  if (events.empty()) return;
  HWND status = GetDlgItem(dialog_, IDC_PROGRESS_STATUS);
  HWND bar = GetDlgItem(dialog_, IDC_PROGRESS_BAR);
  HWND list = request_.resultList;
  const std::wstring* label = nullptr;
  const std::wstring* title = nullptr;
  int barSteps = 0;
  // The status rows live here and the list asks for their texts when it draws (it is a virtual
  // list): a batch of rows costs one message to the list instead of two per row, which under Wine
  // took the worker's share of the machine. The bar moves once per batch.
  for (const JobEvent& event : events) {
    switch (event.kind) {
      case JobEvent::Kind::Started:
        statusRows_.push_back({event.path, L""});
        label = &event.path;
        newestStatusRow_ = event.row;
        break;
      case JobEvent::Kind::Finished:
        statusRows_[static_cast<size_t>(event.row)].outcome = OutcomeText(event.outcome);
        ++barSteps;
        newestStatusRow_ = event.row;
        break;
      case JobEvent::Kind::PassEnded:
        statusRows_.push_back({convert_text::kRecheckRow, L""});
        newestStatusRow_ = event.row;
        break;
      case JobEvent::Kind::JobEnded:
        statusRows_.back().outcome = convert_text::kRecheckDone;
        label = &kJobFinishedLabel;
        break;
      case JobEvent::Kind::Rechecking: label = &event.path; break;
      case JobEvent::Kind::Status: title = &event.path; break;
      case JobEvent::Kind::Rechecked: {
        Undraw(list, resultListUndrawn_);
        // Only the cells that changed: the path never does, the encoding only in place.
        const JobRow& before = rows_[static_cast<size_t>(event.row)];
        if (event.result.path != before.path) ListViewSetCell(list, event.row, 0, event.result.path);
        if (event.result.encoding != before.encoding) ListViewSetCell(list, event.row, 1, event.result.encoding);
        ListViewSetCell(list, event.row, 2, event.result.lineEnding);
        break;
      }
    }
  }
  if (barSteps > 0) SendMessageW(bar, PBM_DELTAPOS, static_cast<WPARAM>(barSteps), 0);
  if (title) SetWindowTextW(GetParent(list), title->c_str());
  if (label) SetDlgItemTextW(dialog_, IDC_PROGRESS_FILE, label->c_str());
  Undraw(status, statusUndrawn_);
  SendMessageW(status, LVM_SETITEMCOUNT, statusRows_.size(), LVSICF_NOSCROLL);
}

void ProgressDialog::Undraw(HWND list, bool& undrawn) {
  if (undrawn) return;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  undrawn = true;
}

void ProgressDialog::DrawLists() {
  if (resultListUndrawn_) {
    SendMessageW(request_.resultList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(request_.resultList, nullptr, TRUE);
    resultListUndrawn_ = false;
  }
  if (statusUndrawn_) {
    HWND status = GetDlgItem(dialog_, IDC_PROGRESS_STATUS);
    if (newestStatusRow_ >= 0) SendMessageW(status, LVM_ENSUREVISIBLE, static_cast<WPARAM>(newestStatusRow_), FALSE);
    SendMessageW(status, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(status, nullptr, FALSE);
    statusUndrawn_ = false;
  }
}

void ProgressDialog::OnStatusText(LVITEMW& item) const {
  if (!(item.mask & LVIF_TEXT) || item.pszText == nullptr || item.cchTextMax <= 0 || item.iItem < 0 ||
      static_cast<size_t>(item.iItem) >= statusRows_.size())
    return;
  const StatusRow& row = statusRows_[static_cast<size_t>(item.iItem)];
  lstrcpynW(item.pszText, item.iSubItem == 0 ? row.file.c_str() : row.outcome, item.cchTextMax);
}

void ProgressDialog::OnCommand(int id) {
  if (id == IDOK) SendMessageW(dialog_, WM_CLOSE, 0, 0);
  if (id == IDCANCEL) stop_ = true;
}

void ProgressDialog::OnClose() {
  if (WorkerRunning()) {
    // Closing acts as Cancel; the dialog goes away once the handled rows are re-checked, so no
    // worker is ever left behind writing into a list nobody watches.
    stop_ = true;
    closeWhenFinished_ = true;
    return;
  }
  EndDialog(dialog_, 1);
}

void ProgressDialog::OnWorkerFinished() {
  finished_ = true;
  KillTimer(dialog_, kShowTimer);
  TakeProgress();
  // Cancel goes first, so whoever sees OK enabled also sees the job's final state: every text is
  // in the lists. Drawing them comes last: it takes longer than the texts under Wine, and the
  // job is over.
  EnableWindow(GetDlgItem(dialog_, IDCANCEL), FALSE);
  EnableWindow(GetDlgItem(dialog_, IDOK), TRUE);
  DrawLists();
  if (closeWhenFinished_) EndDialog(dialog_, 1);
}

bool ProgressDialog::WorkerRunning() const { return worker_.IsValid() && !finished_; }

DWORD WINAPI ProgressDialog::WorkerMain(void* self) {
  static_cast<ProgressDialog*>(self)->RunWorker();
  return 1;
}

void ProgressDialog::RunWorker() {
  MessageBoxQuestions questions;
  // Into an output folder nothing listed is written over, nor one row's output by another's.
  Win32FileIdentity identity;
  std::optional<OutputGuard> guard;
  if (!request_.replace) {
    WaitForAllRows();
    std::vector<std::wstring> sources;
    sources.reserve(rows_.size());
    for (const JobRow& job : rows_) sources.push_back(job.path);
    guard.emplace(std::move(sources), identity);
  }

  FileConverter converter(request_, choices_, questions, guard ? &*guard : nullptr);
  int handled = static_cast<int>(rows_.size());
  for (int row = 0; row < handled; ++row) {
    if (stop_) {
      handled = row;
      break;
    }
    const JobRow& job = RowWhenRead(row);
    progress_.Started(row, job.path);
    int result = kConvertSkipped;
    if (job.encoding != L"BINARY")
      result = converter.Convert(job.path, job.encoding, job.dropRoot, static_cast<std::size_t>(row));
    progress_.Finished(row, result);
    readAhead_->Converted(row + 1);
  }
  // The closing row and the end go through the queue like every file's row: the worker never waits
  // for the dialog to catch up, and the dialog shows them in order.
  progress_.PassEnded(handled);
  Recheck(handled);
  progress_.JobEnded();
  SendMessageW(dialog_, kWorkerFinished, 0, 0);
}

// Inspects the first `rows` rows' files again, as a drop would, with the rows and status texts handed
// to the dialog's thread like the conversion's progress. Files read ahead since their conversion
// are inspected from those reads.
void ProgressDialog::Recheck(int rows) {
  Win32FileSystem disk;
  ReadAheadFileSystem files(disk);
  readAhead_->Finish(files);
  NkfDllGuesser guesser;
  QueuedInspectionSink sink(progress_, [this](std::wstring_view path, InspectError error) {
    SendMessageW(dialog_, kShowProgressNow, 0, 0);  // the rows so far show behind the box
    ShowReadError(path, error);
  });
  InspectionEngine engine(files, *walkSettings_, guesser, sink);
  for (int row = 0; row < rows; ++row) {
    const std::wstring& path = rows_[static_cast<size_t>(row)].path;
    progress_.Rechecking(path);
    engine.InspectPath(path, row);
  }
}

}  // namespace zentrel
