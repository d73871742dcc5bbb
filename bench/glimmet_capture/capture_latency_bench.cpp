// Capture latency: the pointer is put on a control of glimmet_target.exe and the clock runs until
// Glimmet's boxes show that control (handle box set, lower box filled; the reports follow). A
// capture waits for 50 ms of rest by design; the figure beyond that is the cost of the cycle and
// the reader. The anchor is one bare cross-process WM_GETTEXT of the same control, measured in the
// same run. Then the steps of one capture of the Edit, each run here in the bench's own process,
// split the figure: what the cycle adds is the rest.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "glimmet/capture/readers.h"
#include "glimmet/core/control_kind.h"
#include "glimmet/core/key_names.h"
#include "glimmet/platform/window_text.h"
#include "glimmet/reports/window_report.h"
#include "glimmet/reports/window_search.h"
#include "glimmet/shell/control_ids.h"
#include "glimmet_target.h"
#include "guidriver/window_query.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace ids = glimmet::shell::ids;

constexpr double kRestMilliseconds = 50;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::wstring Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  return program.substr(0, program.find_last_of(L"\\/") + 1) + name;
}

struct Started {
  PROCESS_INFORMATION info{};
  ~Started() {
    if (!info.hProcess) return;
    ::TerminateProcess(info.hProcess, 0);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
  }
};

HWND Start(Started& process, const std::wstring& program, const std::wstring& arguments, const wchar_t* className,
           const wchar_t* titlePrefix) {
  STARTUPINFOW startup{sizeof(startup)};
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process.info))
    return nullptr;
  ::WaitForInputIdle(process.info.hProcess, 30000);
  struct Search {
    DWORD id;
    const wchar_t* className;
    const wchar_t* prefix;
    HWND found;
  } search{process.info.dwProcessId, className, titlePrefix, nullptr};
  for (int tries = 0; tries < 3000 && !search.found; ++tries) {
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(data);
          DWORD id = 0;
          ::GetWindowThreadProcessId(window, &id);
          wchar_t name[256] = {}, title[256] = {};
          ::GetClassNameW(window, name, 256);
          ::GetWindowTextW(window, title, 256);
          if (id == s.id && ::IsWindowVisible(window) && (!s.className || std::wstring(name) == s.className) &&
              std::wstring(title).starts_with(s.prefix))
            s.found = window;
          return !s.found;
        },
        reinterpret_cast<LPARAM>(&search));
    if (!search.found) ::Sleep(10);
  }
  return search.found;
}

std::wstring TextOf(HWND window) {
  wchar_t text[64] = {};
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &result);
  return text;
}

POINT CentreOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::size_t TextLengthOf(HWND window) {
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  return length;
}

// Waits until the handle box names `window` and the lower box holds a text of another length than
// `lowerLengthBefore` (the capture has filled the boxes); false after 300 s (the 10,000-row list
// view is read one message per cell). The message label is no sign of the end: a capture longer
// than 30 s is followed at once by the refresh, which sets it again within one pump.
bool WaitForCapture(HWND glimmet, HWND window, std::size_t lowerLengthBefore) {
  const std::wstring handle = std::to_wstring(reinterpret_cast<UINT_PTR>(window));
  HWND handleBox = guidriver::Control(glimmet, ids::kHandleBox), lower = guidriver::Control(glimmet, ids::kLowerBox);
  const Clock::time_point start = Clock::now(), until = start + std::chrono::seconds(300);
  while (Clock::now() < until) {
    if (TextOf(handleBox) == handle && TextLengthOf(lower) != lowerLengthBefore) return true;
    // Every look is answered in Glimmet's pump: a long read is looked at less often.
    ::Sleep(Clock::now() - start < std::chrono::seconds(2) ? 1 : 20);
  }
  return false;
}

// Waits until the capture under way has finished (the message label empty again after "Getting").
bool WaitForCaptureEnd(HWND glimmet) {
  HWND message = guidriver::Control(glimmet, ids::kMsgLabel);
  const Clock::time_point until = Clock::now() + std::chrono::seconds(300);
  while (Clock::now() < until) {
    if (TextOf(message).empty()) return true;
    ::Sleep(1);
  }
  return false;
}

void MoveTo(POINT point) {
  for (int tries = 0; tries < 100; ++tries) {
    ::SetCursorPos(point.x, point.y);
    POINT now{};
    if (::GetCursorPos(&now) && now.x == point.x && now.y == point.y) return;
    ::Sleep(5);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double WmGetTextMicroseconds(HWND control) {
  std::vector<double> times;
  for (int i = 0; i < 1000; ++i) {
    wchar_t text[256];
    const Clock::time_point start = Clock::now();
    ::SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    times.push_back(Milliseconds(Clock::now() - start) * 1000);
  }
  return Median(times);
}

// The median time of `step` over `rounds` runs, in milliseconds.
template <typename Step>
double MedianMilliseconds(int rounds, Step step) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const Clock::time_point start = Clock::now();
    step();
    times.push_back(Milliseconds(Clock::now() - start));
  }
  return Median(times);
}

// The steps of a capture of `control` at `point`, as the cycle runs them.
void ReportCaptureSteps(HWND control, POINT point) {
  glimmet::AppSettings settings;
  settings.running = true;
  settings.pointWindow = reinterpret_cast<std::uintptr_t>(control);
  settings.pointX = point.x;
  settings.pointY = point.y;
  const glimmet::capture::ReaderContext context{settings, {}, {}};
  const std::wstring className = glimmet::platform::ClassNameOf(control);
  const std::wstring title = glimmet::platform::WindowTextOf(control);
  constexpr int kRounds = 20;
  struct Step {
    const char* what;
    double milliseconds;
  } steps[] = {
      {"text at the point", MedianMilliseconds(kRounds, [&] { glimmet::capture::TextAtPoint(context, point.x, point.y, false); })},
      {"reader of the kind", MedianMilliseconds(kRounds, [&] {
         glimmet::capture::ReadByKind(glimmet::ClassifyWindowClass(className), context);
       })},
      {"window details report", MedianMilliseconds(kRounds, [&] {
         glimmet::reports::BuildWindowReport(control, className, title, false);
       })},
      {"accessibility report", MedianMilliseconds(kRounds, [&] { context.Accessibility().BuildReport(nullptr); })},
      {"input watcher poll", MedianMilliseconds(kRounds, [] {
         // What the 5 ms watcher asks every time: the state of each of the 124 named keys.
         for (int key = 1; key < 256; ++key)
           if (!glimmet::KeyName(key).empty()) ::GetAsyncKeyState(key);
       })},
      {"status bar search", MedianMilliseconds(kRounds, [&] {
         glimmet::reports::FindChildWindows(glimmet::platform::TopLevelOf(control), L"msctls_statusbar32", L"");
         glimmet::reports::FindChildWindows(::GetForegroundWindow(), L"msctls_statusbar32", L"");
       })},
  };
  for (const Step& step : steps) std::printf("  Edit capture step: %-24s %8.2f ms\n", step.what, step.milliseconds);
}

}  // namespace

int wmain() {
  // Glimmet keeps Conf.txt beside itself: a copy in a scratch folder, placed below the target.
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"glimmet_capture_bench";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring glimmetCopy = folder + L"\\Glimmet.exe";
  ::CopyFileW(Beside(L"Glimmet.exe").c_str(), glimmetCopy.c_str(), FALSE);
  const char conf[] = "disp Top = 0\r\nform left = 0\r\nform top = 580\r\nform right = 600\r\nform bottom = 760\r\n";
  HANDLE file = ::CreateFileW((folder + L"\\Conf.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, conf, sizeof(conf) - 1, &written, nullptr);
  ::CloseHandle(file);

  Started target, glimmetProcess;
  HWND targetMain = Start(target, Beside(L"glimmet_target.exe"), L"", L"GlimmetTargetWindow", glimmet_target::kMainTitle);
  HWND glimmet = Start(glimmetProcess, glimmetCopy, L"no_start", nullptr, L"Glimmet from point ");
  if (!targetMain || !glimmet) {
    std::fprintf(stderr, "glimmet_target.exe or Glimmet.exe did not start\n");
    return 1;
  }
  // The target's Find dialog opens over its first controls.
  if (HWND find = ::FindWindowW(L"#32770", glimmet_target::kFindTitle))
    ::SetWindowPos(find, nullptr, 700, 620, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::PostMessageW(guidriver::Control(glimmet, ids::kGoButton), BM_CLICK, 0, 0);

  RECT client{};
  ::GetClientRect(targetMain, &client);
  POINT away{850, 420};  // the target's own background, between its controls
  ::ClientToScreen(targetMain, &away);

  struct Case {
    const char* what;
    int id;
    int rounds;
  } cases[] = {{"Edit", glimmet_target::kEdit, 15}, {"list view 10,000 rows", glimmet_target::kBigListView, 3}};
  for (const Case& c : cases) {
    HWND control = ::GetDlgItem(targetMain, c.id);
    std::vector<double> latencies;
    HWND lower = guidriver::Control(glimmet, ids::kLowerBox);
    for (int round = 0; round < c.rounds; ++round) {
      MoveTo(away);
      // The reports of the window away take a while after its boxes are filled: the clock starts
      // with Glimmet idle.
      if (!WaitForCapture(glimmet, targetMain, TextLengthOf(lower)) || !WaitForCaptureEnd(glimmet)) break;
      const std::size_t awayLength = TextLengthOf(lower);
      MoveTo(CentreOf(control));
      const Clock::time_point start = Clock::now();
      if (!WaitForCapture(glimmet, control, awayLength)) break;
      latencies.push_back(Milliseconds(Clock::now() - start));
    }
    if (latencies.empty()) {
      std::fprintf(stderr, "%s: no capture seen\n", c.what);
      return 1;
    }
    const double anchor = WmGetTextMicroseconds(control) / 1000;
    const double median = Median(latencies);
    std::printf("%-24s rest -> boxes filled: median %7.1f ms, best %7.1f ms (%zu rounds); beyond the %g ms rest: "
                "%7.1f ms; anchor WM_GETTEXT %7.3f ms; ratio %8.1f\n",
                c.what, median, *std::min_element(latencies.begin(), latencies.end()), latencies.size(),
                kRestMilliseconds, median - kRestMilliseconds, anchor, median / anchor);
  }
  ReportCaptureSteps(::GetDlgItem(targetMain, glimmet_target::kEdit), CentreOf(::GetDlgItem(targetMain, glimmet_target::kEdit)));
  return 0;
}
