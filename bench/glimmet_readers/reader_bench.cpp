// Reads the fixture's big list view and list box the way a capture does (progress text and a
// message pump after every item) and prints the times beside an anchor measured in the same run:
// the same number of bare cross-process messages (WM_NULL), the floor of any message-based
// reader. Also prints the longest stretch between two pumps: how long a message to Glimmet's
// window would wait during the read.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "glimmet/capture/readers.h"
#include "glimmet_target.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Measured {
  double best = 1e300;
  double longestGap = 0;
  std::size_t length = 0;
};

HWND StartTarget(PROCESS_INFORMATION& info) {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"glimmet_target.exe";
  STARTUPINFOW startup{sizeof(startup)};
  if (!::CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return nullptr;
  }
  ::WaitForInputIdle(info.hProcess, 30000);
  for (int tries = 0; tries < 3000; ++tries) {
    if (HWND main = ::FindWindowW(L"GlimmetTargetWindow", glimmet_target::kMainTitle); main && ::IsWindowVisible(main)) {
      return main;
    }
    ::Sleep(10);
  }
  return nullptr;
}

Measured Read(HWND control, glimmet::ReadResult (*reader)(const glimmet::capture::ReaderContext&)) {
  glimmet::AppSettings settings;
  settings.running = true;
  settings.pointWindow = reinterpret_cast<std::uintptr_t>(control);
  Measured measured;
  for (int round = 0; round < 3; ++round) {
    Clock::time_point lastPump = Clock::now();
    const auto pump = [&] {
      const Clock::time_point now = Clock::now();
      measured.longestGap = std::max(measured.longestGap, Milliseconds(now - lastPump));
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
      lastPump = Clock::now();
    };
    std::wstring progress;
    glimmet::capture::ReaderContext context{settings, [&](const std::wstring& text) { progress = text; }, pump};
    const Clock::time_point start = Clock::now();
    const glimmet::ReadResult result = reader(context);
    measured.best = std::min(measured.best, Milliseconds(Clock::now() - start));
    measured.length = result.text.size();
  }
  return measured;
}

double BareMessages(HWND control, int count) {
  double best = 1e300;
  for (int round = 0; round < 3; ++round) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) ::SendMessageW(control, WM_NULL, 0, 0);
    best = std::min(best, Milliseconds(Clock::now() - start));
  }
  return best;
}

void Report(const char* what, const Measured& m, int messages, double anchor) {
  std::printf("%-34s %8.1f ms  (%zu chars)  anchor %d x WM_NULL %8.1f ms  ratio %5.2f  longest pump gap %6.1f ms\n",
              what, m.best, m.length, messages, anchor, m.best / anchor, m.longestGap);
}

}  // namespace

int wmain() {
  PROCESS_INFORMATION info{};
  HWND main = StartTarget(info);
  if (!main) {
    std::fprintf(stderr, "glimmet_target.exe did not start\n");
    return 1;
  }
  HWND listView = ::GetDlgItem(main, glimmet_target::kBigListView);
  HWND listBox = ::GetDlgItem(main, glimmet_target::kBigListBox);
  constexpr int kRows = glimmet_target::kBigCount;

  const Measured view = Read(listView, glimmet::capture::ReadListView);
  Report("list view 10,000 rows x 3 columns", view, 3 * kRows, BareMessages(listView, 3 * kRows));
  const Measured box = Read(listBox, glimmet::capture::ReadListBox);
  Report("list box 10,000 items", box, 2 * kRows, BareMessages(listBox, 2 * kRows));

  ::TerminateProcess(info.hProcess, 0);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return 0;
}
