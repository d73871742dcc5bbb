// Driving Zentrel through a conversion: drop a tree, choose the target, press Convert and read the
// progress dialog's status list once the job has finished.
#pragma once

#include <string>
#include <vector>

#include "zentrel_shell.h"

namespace zentrel_ui {

// "Converting..." (the progress dialog's caption) and its controls.
inline const std::wstring kProgressCaption = L"\x5909\x63db\x3057\x3066\x3044\x307e\x3059...";
inline constexpr int kProgressStatusList = 1004;
inline constexpr int kProgressFileLabel = 1000;
inline const std::wstring kTitleDone = L"Zentrel - \x5b8c\x4e86\x3057\x307e\x3057\x305f\x3002";
inline const std::wstring kRecheckRow = L"\x518d\x30c1\x30a7\x30c3\x30af";
inline const std::wstring kRecheckDone = L"\x5b8c\x4e86";

enum Target { kShiftJis = 0, kEucJp, kUtf8, kUtf16Le, kUtf16Be, kIso2022Jp, kKeepEncoding = -1 };
enum LineEnding { kCrLf = 0, kCr, kLf, kKeepLineEndings = -1 };

// Copies a folder tree (files and sub-folders) into `to`, which is created.
void CopyTree(const std::wstring& from, const std::wstring& to);
// Every file below `root`, as paths relative to it ("sub\\a.txt"), sorted.
std::vector<std::wstring> FilesBelow(const std::wstring& root);
// The conversion fixtures written by the build beside the test executables.
std::wstring ConvertFixtures();

class ZentrelConvertTest : public ZentrelTest {
 protected:
  // Drops `paths` on the result list and waits until the drop has been handled and the list holds
  // `rows` rows.
  void Drop(const std::vector<std::wstring>& paths, int rows);
  // Chooses the target (a fresh window has neither chosen; these only add a choice), the
  // destination (empty: in place), and presses Convert. Returns the progress dialog.
  HWND StartConvert(int target, int lineEnding, const std::wstring& outputFolder = {});
  // Waits until the job's OK button is enabled: the worker has ended.
  void WaitForJobEnd(HWND progress);
  // OK closes the dialog; the main window then says it is done.
  void CloseProgress(HWND progress);
  // The whole round: start, wait, read the status rows, close.
  guidriver::Rows Convert(int target, int lineEnding, const std::wstring& outputFolder = {});
  guidriver::Rows ResultRows() const { return guidriver::RemoteListView(Item(kResultList)).AllRows(); }
};

}  // namespace zentrel_ui
