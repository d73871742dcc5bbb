#include "guidriver/process.h"

#include "guidriver/driver_error.h"
#include "guidriver/temp_folder.h"

#include <chrono>
#include <utility>

namespace guidriver {

std::wstring ProgramBesideTest(const std::wstring& fileName) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) ThrowLastError("GetModuleFileNameW failed");
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1) + fileName;
}

ConsoleRun RunConsole(const std::wstring& program, const std::wstring& arguments,
                      const std::wstring& scratchFolder) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  // A new name per run: Wine may still hold the previous run's file for a moment.
  static int runs = 0;
  const std::wstring stem = scratchFolder + L"\\console" + std::to_wstring(++runs);
  const std::wstring outPath = stem + L".out";
  const std::wstring errPath = stem + L".err";
  ConsoleRun run;
  {
    FileHandle out(::CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    FileHandle err(::CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    if (!out || !err) ThrowLastError("cannot create the output files");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.Get();
    startup.hStdError = err.Get();
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                          nullptr, nullptr, &startup, &info))
      ThrowLastError("cannot start '" + Utf8(program) + "'");
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    if (::WaitForSingleObject(process.Get(), static_cast<DWORD>(kDefaultTimeout.count())) != WAIT_OBJECT_0) {
      ::TerminateProcess(process.Get(), 1);
      throw DriverError("'" + Utf8(program) + "' did not end");
    }
    ::GetExitCodeProcess(process.Get(), &run.exitCode);
  }
  run.out = ReadFileBytes(outPath);
  run.err = ReadFileBytes(errPath);
  return run;
}

namespace {

KernelHandle KillOnCloseJob() {
  KernelHandle job(::CreateJobObjectW(nullptr, nullptr));
  if (!job) ThrowLastError("CreateJobObjectW failed");
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!::SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
    ThrowLastError("SetInformationJobObject failed");
  }
  return job;
}

}  // namespace

Process Process::Start(const std::wstring& program, const std::wstring& arguments,
                       const std::wstring& workingFolder) {
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  KernelHandle job = KillOnCloseJob();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  // Suspended until it is in the job, so that nothing it starts escapes.
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
    ThrowLastError("cannot start '" + Utf8(program) + "' in '" + Utf8(workingFolder) + "'");
  }
  KernelHandle thread(info.hThread);
  Process process(std::move(job), KernelHandle(info.hProcess), info.dwProcessId);
  if (!::AssignProcessToJobObject(process.job_.Get(), process.process_.Get())) {
    ThrowLastError("AssignProcessToJobObject failed");
  }
  ::ResumeThread(thread.Get());
  return process;
}

Process::~Process() {
  if (process_ && IsRunning()) Terminate();
  // Closing the job ends what the process started, also after the process itself has ended.
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    if (IsRunning()) Terminate();
    job_ = std::move(other.job_);
    process_ = std::move(other.process_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

bool Process::IsRunning() const {
  return process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

void Process::Terminate(UINT exitCode) {
  if (!process_) return;
  if (job_) ::TerminateJobObject(job_.Get(), exitCode);
  ::TerminateProcess(process_.Get(), exitCode);
  // Its windows and files are released only once it has really gone.
  ::WaitForSingleObject(process_.Get(), 5000);
}

testing::AssertionResult Process::WaitForInputIdle(Milliseconds timeout) const {
  const DWORD result = ::WaitForInputIdle(process_.Get(), static_cast<DWORD>(timeout.count()));
  if (result == 0) return testing::AssertionSuccess();
  // A console program has no input queue to become idle: nothing to wait for.
  if (result == WAIT_FAILED && IsRunning()) return testing::AssertionSuccess();
  if (!IsRunning()) {
    DWORD code = 0;
    ::GetExitCodeProcess(process_.Get(), &code);
    return testing::AssertionFailure() << "process " << id_ << " ended with exit code " << code
                                       << " before it was idle";
  }
  return testing::AssertionFailure() << "process " << id_ << " not idle after " << timeout.count()
                                     << " ms (WaitForInputIdle returned " << result << ")";
}

HWND Process::WaitForMainWindow(WindowQuery query, Milliseconds timeout) const {
  const auto start = std::chrono::steady_clock::now();
  if (auto idle = WaitForInputIdle(timeout); !idle) throw DriverError(idle.message());
  query.processId = id_;
  HWND found = nullptr;
  const auto left = timeout - std::chrono::duration_cast<Milliseconds>(std::chrono::steady_clock::now() - start);
  auto result = WaitUntil(
      [&] { return (found = FindTopLevelWindow(query)) != nullptr || !IsRunning(); }, query.Describe(),
      [&] { return DescribeWindows(Windows()); }, left > Milliseconds{0} ? left : Milliseconds{0});
  if (found) return found;
  if (!IsRunning()) {
    DWORD code = 0;
    ::GetExitCodeProcess(process_.Get(), &code);
    throw DriverError("process " + std::to_string(id_) + " ended with exit code " + std::to_string(code) +
                      " while waiting for " + query.Describe());
  }
  throw DriverError(result.message());
}

DWORD Process::WaitForExit(Milliseconds timeout) const {
  // Polled rather than blocked on, so that the test thread keeps serving its own messages.
  auto result = WaitUntil([&] { return !IsRunning(); }, "process " + std::to_string(id_) + " to end",
                          [&] { return "its windows: " + DescribeWindows(Windows()); }, timeout);
  if (!result) throw DriverError(result.message());
  DWORD code = 0;
  ::GetExitCodeProcess(process_.Get(), &code);
  return code;
}

}  // namespace guidriver
