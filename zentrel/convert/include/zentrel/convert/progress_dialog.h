#pragma once
// The conversion job: a modal progress dialog whose worker thread converts every row of the result
// list, shows each outcome, then inspects the handled rows again. Cancel stops it between two files.
// The rows to convert are read once on the dialog's thread before the worker starts; the worker
// reports each file through a JobProgress that the dialog's thread shows every kShowIntervalMs.

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "zentrel/convert/conversion_request.h"
#include "zentrel/convert/job_progress.h"
#include "zentrel/platform/modal_dialog.h"
#include "zentrel/platform/unique_handle.h"

namespace zentrel {

class ProgressDialog final : public platform::ModalDialog {
 public:
  ProgressDialog(HINSTANCE instance, ConversionRequest request)
      : instance_(instance), request_(std::move(request)) {}
  ~ProgressDialog() override;

  // Runs the job modally, owned by `owner` (which is disabled meanwhile); returns when the user
  // has closed the dialog and the worker has ended.
  void Run(HWND owner);

 private:
  static DWORD WINAPI WorkerMain(void* self);
  void Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnInitDialog();
  void OnCommand(int id);
  void OnClose();
  void OnWorkerFinished();
  void ShowProgress();
  bool WorkerRunning() const;
  void RunWorker();
  void Recheck(int rows);

  struct JobRow {
    std::wstring path;
    std::wstring encoding;
    std::wstring dropRoot;
  };

  HINSTANCE instance_;
  ConversionRequest request_;
  std::vector<JobRow> rows_;
  JobProgress progress_;
  platform::FileHandle worker_;
  std::atomic<bool> stop_{false};
  bool finished_ = false;           // the worker has sent its last message
  bool closeWhenFinished_ = false;  // the close box was used while the worker ran
};

}  // namespace zentrel
