#pragma once
// The conversion job: a modal progress dialog whose worker thread converts every row of the result
// list, shows each outcome, then inspects the handled rows again. Cancel stops it between two files.
// The rows to convert are read once on the dialog's thread while the worker starts on the first
// ones; the settings the job uses are read there too, before the worker starts. The worker reports
// each file through a JobProgress that the dialog's thread shows every kShowIntervalMs.

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "zentrel/convert/conversion_request.h"
#include "zentrel/convert/converter_options.h"
#include "zentrel/convert/job_progress.h"
#include "zentrel/core/settings_snapshot.h"
#include "zentrel/platform/modal_dialog.h"
#include "zentrel/platform/unique_handle.h"

namespace zentrel {

class RecheckReadAhead;

class ProgressDialog final : public platform::ModalDialog {
 public:
  ProgressDialog(HINSTANCE instance, ConversionRequest request);
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
  void TakeProgress();
  void DrawLists();
  static void Undraw(HWND list, bool& undrawn);
  // The text of a cell of the status list, asked for by the list when it draws or is read.
  void OnStatusText(LVITEMW& item) const;
  bool WorkerRunning() const;
  void ReadRows();
  void RunWorker();
  void Recheck(int rows);

  struct JobRow {
    std::wstring path;
    std::wstring encoding;
    std::wstring dropRoot;
  };
  // The worker's view of rows_: waits until the dialog's thread has read row `row` (or all rows).
  const JobRow& RowWhenRead(int row);
  void WaitForAllRows();

  HINSTANCE instance_;
  ConversionRequest request_;
  ConverterChoices choices_;
  std::unique_ptr<SettingsSnapshot> walkSettings_;
  // Sized before the worker starts; the dialog's thread fills it in row order, counting in rowsRead_.
  std::vector<JobRow> rows_;
  std::mutex rowsMutex_;
  std::condition_variable rowsChanged_;
  int rowsRead_ = 0;
  std::unique_ptr<RecheckReadAhead> readAhead_;
  JobProgress progress_;
  platform::FileHandle worker_;
  std::atomic<bool> stop_{false};
  struct StatusRow {
    std::wstring file;
    const wchar_t* outcome;
  };
  std::vector<StatusRow> statusRows_;  // what the status list shows: a row per file, then the closing row
  int newestStatusRow_ = -1;           // the row to scroll to when the status list is drawn next
  bool statusUndrawn_ = false;         // the status list has taken rows undrawn
  bool resultListUndrawn_ = false;     // the result list has taken re-checked rows undrawn
  bool finished_ = false;           // the worker has sent its last message
  bool closeWhenFinished_ = false;  // the close box was used while the worker ran
};

}  // namespace zentrel
