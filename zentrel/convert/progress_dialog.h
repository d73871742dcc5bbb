#pragma once
// The conversion job: a modal progress dialog whose worker thread converts every row of the result
// list, shows each outcome, then inspects the handled rows again. Cancel stops it between two files.

#include <windows.h>

#include <atomic>

#include "conversion_request.h"

namespace zentrel {

class ProgressDialog {
 public:
  ProgressDialog(HINSTANCE instance, ConversionRequest request)
      : instance_(instance), request_(std::move(request)) {}
  ProgressDialog(const ProgressDialog&) = delete;
  ProgressDialog& operator=(const ProgressDialog&) = delete;
  ~ProgressDialog();

  // Runs the job modally, owned by `owner` (which is disabled meanwhile); returns when the user
  // has closed the dialog and the worker has ended.
  void Run(HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  static DWORD WINAPI WorkerMain(void* self);
  void Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void OnCommand(int id);
  void OnClose();
  void OnWorkerFinished();
  bool WorkerRunning() const;
  void RunWorker();

  HINSTANCE instance_;
  ConversionRequest request_;
  HWND dialog_ = nullptr;
  HANDLE worker_ = nullptr;
  std::atomic<bool> stop_{false};
  bool finished_ = false;           // the worker has sent its last message
  bool closeWhenFinished_ = false;  // the close box was used while the worker ran
};

}  // namespace zentrel
