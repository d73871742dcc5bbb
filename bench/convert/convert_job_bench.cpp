// The conversion job of Zentrel, timed as a user sees it: the tree is dropped on a running Zentrel,
// UTF-8 and LF are chosen, in place, and the clock runs from pressing Convert until the progress
// dialog's OK is enabled (every file converted and its row re-checked). Every status row must say
// "success". A program to run by hand or from run_convert_bench.sh, not a test. While the job runs
// the clock is read without a message to Zentrel (whose window would have to answer it).
// Usage (from the folder holding Zentrel.exe, under Wine): convert_job_bench.exe TREE FILES
// Prints: job files=N wall=SECONDS drop=SECONDS (Wine's GetProcessTimes of another process misses
// the worker thread, so no CPU time is given; job_steps_bench splits the job's steps)
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "guidriver/guidriver.h"

using namespace guidriver;
using Clock = std::chrono::steady_clock;

namespace {

const std::wstring kTitleDone = L"Zentrel - \x5b8c\x4e86\x3057\x307e\x3057\x305f\x3002";
const std::wstring kProgressCaption = L"\x5909\x63db\x3057\x3066\x3044\x307e\x3059...";
constexpr int kResultList = 40006;
constexpr int kEncodingCombo = 40016;
constexpr int kEolCombo = 40015;
constexpr int kReplaceRadio = 40009;
constexpr int kConvert = 40014;
constexpr int kMenuExit = 105;
constexpr int kProgressStatusList = 1004;
constexpr int kUtf8 = 2;
constexpr int kLf = 2;
constexpr std::chrono::minutes kPatience{20};

void Require(const testing::AssertionResult& result) {
  if (!result) throw DriverError(result.message());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: convert_job_bench.exe TREE FILES\n");
    return 2;
  }
  const std::wstring tree = argv[1];
  const int files = _wtoi(argv[2]);
  try {
    TempFolder scratch;  // Zentrel's start-up folder: a fresh settings file with every default
    Process zentrel = Process::Start(ProgramBesideTest(L"Zentrel.exe"), {}, scratch.Path());
    HWND main = zentrel.WaitForMainWindow({.className = L"#32770", .caption = L"Zentrel"});
    HWND list = Control(main, kResultList);

    SetText(main, L"waiting");
    // The drop inspects every file as the job's re-check pass does: its time shows what the
    // re-check costs within the job.
    const auto dropStart = Clock::now();
    PostDrop(list, {tree});
    Require(WaitUntil([&] { return WindowText(main) == kTitleDone; }, "the drop to end", {},
                      kPatience));
    Require(WaitUntil([&] { return RemoteListView(list).RowCount() == files; },
                      "every row of the drop"));
    const double drop = std::chrono::duration<double>(Clock::now() - dropStart).count();

    SelectComboItem(Control(main, kEncodingCombo), kUtf8);
    SelectComboItem(Control(main, kEolCombo), kLf);
    ClickButton(Control(main, kReplaceRadio));
    Require(WaitUntil([&] { return IsChecked(Control(main, kReplaceRadio)); }, "in place chosen"));

    const auto start = Clock::now();
    ClickButton(Control(main, kConvert));
    HWND progress = WaitForDialog(kProgressCaption, zentrel.Id());
    // IsWindowEnabled reads the button's style without asking Zentrel's thread. The bench owns no
    // window, so it sleeps between looks instead of pumping messages: each look is then a single
    // round trip to the Wine server, which the job shares (the anchor has nobody watching it).
    HWND ok = Control(progress, IDOK);
    const auto deadline = Clock::now() + kPatience;
    while (!IsWindowEnabled(ok)) {
      if (Clock::now() > deadline || !IsWindow(ok)) throw DriverError("the job did not end (OK never enabled)");
      Sleep(5);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();

    const Rows status = RemoteListView(Control(progress, kProgressStatusList)).AllRows();
    int succeeded = 0;
    for (const auto& row : status)
      if (row.size() > 1 && row[1] == L"success") ++succeeded;
    if (succeeded != files)
      throw DriverError(std::to_string(succeeded) + " of " + std::to_string(files) +
                        " files converted");

    ClickButton(Control(progress, IDOK));
    Require(WaitUntilGone(progress));
    PostCommand(main, kMenuExit);
    zentrel.WaitForExit();
    std::printf("job files=%d wall=%.3f drop=%.3f\n", files, wall, drop);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "convert_job_bench: %s\n", error.what());
    return 1;
  }
}
