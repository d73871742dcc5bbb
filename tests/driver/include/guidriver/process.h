// A program started by a test, ended by its owner: the destructor terminates the process and
// every process it started (they share a job object), so a failing test never leaves a target,
// or an editor the target opened, behind.
#pragma once

#include "guidriver/unique_handle.h"
#include "guidriver/wait.h"
#include "guidriver/window_query.h"

#include <windows.h>

#include <string>
#include <vector>

namespace guidriver {

// The full path of `fileName` in the folder of the running test executable: the build puts every
// program and test executable into one folder.
std::wstring ProgramBesideTest(const std::wstring& fileName);

// A console program run to its end: its exit code and what it wrote to each stream.
struct ConsoleRun {
  DWORD exitCode = 0;
  std::string out;
  std::string err;
};

// Runs `program` (a full path) with `arguments` to its end, its output and error streams in files of
// a new name in `scratchFolder`, so neither can fill a pipe and block it while the other is read.
// Throws DriverError when it cannot start or does not end within the default timeout.
ConsoleRun RunConsole(const std::wstring& program, const std::wstring& arguments,
                      const std::wstring& scratchFolder);

class Process {
 public:
  // CreateProcessW of `program` (a full path) with `arguments`, in `workingFolder` (empty: the
  // test's own). Throws DriverError when the program cannot be started.
  static Process Start(const std::wstring& program, const std::wstring& arguments = {},
                       const std::wstring& workingFolder = {});

  ~Process();  // terminates the process (exit code 1) and its descendants
  Process(Process&&) noexcept = default;
  Process& operator=(Process&& other) noexcept;  // ends the process this one held
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.Get(); }
  bool IsRunning() const;

  // WaitForInputIdle: the program has finished initialising and waits for input.
  testing::AssertionResult WaitForInputIdle(Milliseconds timeout = kDefaultTimeout) const;

  // Waits for input idle and for a visible top-level window of this process matching `query`
  // (its processId is filled in). Throws DriverError naming what was seen, and saying so when the
  // process has already ended.
  HWND WaitForMainWindow(WindowQuery query, Milliseconds timeout = kDefaultTimeout) const;

  // The top-level windows of this process, for diagnostics.
  std::vector<WindowInfo> Windows() const { return TopLevelWindows(id_); }

  // Waits for the process to end and returns its exit code; throws DriverError on a timeout.
  DWORD WaitForExit(Milliseconds timeout = kDefaultTimeout) const;

  // Ends the process and everything it started.
  void Terminate(UINT exitCode = 1);

 private:
  Process(KernelHandle job, KernelHandle process, DWORD id)
      : job_(std::move(job)), process_(std::move(process)), id_(id) {}

  KernelHandle job_;  // kill-on-close: closing it ends whatever the target started
  KernelHandle process_;
  DWORD id_ = 0;
};

}  // namespace guidriver
