#include "progress_dialog.h"

#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "convert_one_file.h"
#include "convert_strings.h"
#include "list_inspection.h"
#include "list_view_text.h"
#include "progress_ids.h"

namespace zentrel {
namespace {

// Sent by the worker as its last act, so the dialog's own thread updates its buttons.
constexpr UINT kWorkerFinished = WM_APP + 1;

// The status list and the file label are painted at most this often while files go by: under Wine
// a repaint per row costs more than converting a typical file.
constexpr ULONGLONG kRepaintIntervalMs = 100;

// Keeps the job's windows from repainting on every row; shows the latest state every
// kRepaintIntervalMs and when the job ends. Scrolling the status list to its newest row is done at
// those moments too: with drawing off it still cost several milliseconds a row under Wine, for a
// position nobody sees until the next paint.
class ThrottledPainting {
 public:
  ThrottledPainting(HWND statusList, std::initializer_list<HWND> others)
      : statusList_(statusList), windows_(others) {
    windows_.push_back(statusList);
    Hide();
  }
  ~ThrottledPainting() {
    ScrollToNewest();
    Show();
  }
  ThrottledPainting(const ThrottledPainting&) = delete;
  ThrottledPainting& operator=(const ThrottledPainting&) = delete;

  void RowDone(int row) {
    newestRow_ = row;
    const ULONGLONG now = GetTickCount64();
    if (now - lastShown_ < kRepaintIntervalMs) return;
    ScrollToNewest();
    Show();
    Hide();
    lastShown_ = now;
  }

 private:
  void ScrollToNewest() {
    if (newestRow_ >= 0)
      SendMessageW(statusList_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(newestRow_), FALSE);
  }
  void Hide() {
    for (HWND window : windows_) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  }
  void Show() {
    for (HWND window : windows_) {
      SendMessageW(window, WM_SETREDRAW, TRUE, 0);
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
  }

  HWND statusList_;
  std::vector<HWND> windows_;
  int newestRow_ = -1;
  ULONGLONG lastShown_ = GetTickCount64();
};

const wchar_t* OutcomeText(int result) {
  if (result == kConvertSkipped) return L"skip";
  return result == kConvertFailed ? L"ERROR" : L"success";
}

}  // namespace

ProgressDialog::~ProgressDialog() {
  if (worker_) CloseHandle(worker_);
}

void ProgressDialog::Run(HWND owner) {
  DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_PROGRESS), owner, DialogProc,
                  reinterpret_cast<LPARAM>(this));
  // The dialog only ends once the worker has finished its last message; it is returning now.
  if (worker_) WaitForSingleObject(worker_, INFINITE);
}

INT_PTR CALLBACK ProgressDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ProgressDialog*>(lParam);
    self->dialog_ = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  }
  if (auto* self = reinterpret_cast<ProgressDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)))
    self->Handle(message, wParam, lParam);
  return FALSE;
}

void ProgressDialog::Handle(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(); break;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); break;
    case WM_CLOSE: OnClose(); break;
    case kWorkerFinished: OnWorkerFinished(); break;
  }
}

void ProgressDialog::OnInitDialog() {
  stop_ = false;
  const int rows = ListViewRowCount(request_.resultList);
  // The bar's bounds are 16-bit: a longer list simply fills it early.
  SendDlgItemMessageW(dialog_, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, static_cast<WORD>(rows)));
  SendDlgItemMessageW(dialog_, IDC_PROGRESS_BAR, PBM_SETSTEP, 1, 0);
  HWND status = GetDlgItem(dialog_, IDC_PROGRESS_STATUS);
  ListViewInsertColumn(status, 0, convert_text::kStatusHeaderFile, 250);
  ListViewInsertColumn(status, 1, convert_text::kStatusHeaderResult, 50);
  EnableWindow(GetDlgItem(dialog_, IDOK), FALSE);
  worker_ = CreateThread(nullptr, 0, WorkerMain, this, 0, nullptr);
  if (!worker_) OnWorkerFinished();  // nothing runs: let the user close the dialog
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
  // Cancel goes first, so whoever sees OK enabled also sees the job's final state.
  EnableWindow(GetDlgItem(dialog_, IDCANCEL), FALSE);
  EnableWindow(GetDlgItem(dialog_, IDOK), TRUE);
  if (closeWhenFinished_) EndDialog(dialog_, 1);
}

bool ProgressDialog::WorkerRunning() const { return worker_ && !finished_; }

DWORD WINAPI ProgressDialog::WorkerMain(void* self) {
  static_cast<ProgressDialog*>(self)->RunWorker();
  return 1;
}

void ProgressDialog::RunWorker() {
  HWND list = request_.resultList;
  HWND progress = GetDlgItem(dialog_, IDC_PROGRESS_BAR);
  HWND status = GetDlgItem(dialog_, IDC_PROGRESS_STATUS);
  MessageBoxQuestions questions;

  int handled = ListViewRowCount(list);
  {
    ThrottledPainting painting(status, {progress, GetDlgItem(dialog_, IDC_PROGRESS_FILE)});
    for (int row = 0; row < handled; ++row) {
      if (stop_) {
        handled = row;
        break;
      }
      const std::wstring path = ListViewCellText(list, row, 0);
      SetDlgItemTextW(dialog_, IDC_PROGRESS_FILE, path.c_str());
      ListViewInsertRow(status, row, path);
      const std::wstring encoding = ListViewCellPrefix(list, row, 1, 255);
      int result = kConvertSkipped;
      if (encoding != L"BINARY") {
        const std::wstring root = request_.dropRootOfRow(ListViewRowData(list, row));
        result = ConvertOneFile(request_, path, encoding, root, questions);
      }
      ListViewSetCell(status, row, 1, OutcomeText(result));
      SendMessageW(progress, PBM_STEPIT, 0, 0);
      painting.RowDone(row);
    }
  }

  ListViewInsertRow(status, handled, convert_text::kRecheckRow);
  SendMessageW(status, LVM_ENSUREVISIBLE, static_cast<WPARAM>(handled), FALSE);
  {
    ListInspection recheck(list, *request_.settings);
    for (int row = 0; row < handled; ++row) {
      const std::wstring path = ListViewCellText(list, row, 0);
      SetDlgItemTextW(dialog_, IDC_PROGRESS_FILE, path.c_str());
      recheck.InspectPath(path, row);
    }
  }
  ListViewSetCell(status, handled, 1, convert_text::kRecheckDone);
  SetDlgItemTextW(dialog_, IDC_PROGRESS_FILE, convert_text::kJobFinished);
  SendMessageW(dialog_, kWorkerFinished, 0, 0);
}

}  // namespace zentrel
