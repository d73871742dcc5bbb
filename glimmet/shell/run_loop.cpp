// The capture run: a loop on the user-interface thread that follows the pointer, captures when
// it rests, and yields to the message queue on every pass. Buttons, timers and the close box run
// inside those yields and reach the loop only through the running flag and the exit request.
#include "glimmet/shell/control_ids.h"
#include "glimmet/core/auto_stop.h"
#include "glimmet/core/box_text.h"
#include "glimmet/capture/readers.h"
#include "glimmet/platform/key_input.h"
#include "glimmet/platform/window_at_point.h"
#include "glimmet/reports/action_test.h"
#include "main_form.h"
#include "text_ids.h"

#include <cwctype>

namespace glimmet::shell {
namespace {

bool FirstWordIsDebug(const std::wstring& commandLine) {
  std::wstring word = commandLine.substr(0, commandLine.find(L' '));
  for (auto& c : word) c = static_cast<wchar_t>(std::towlower(c));
  return word == L"debug";
}

}  // namespace

void MainForm::StartRun() {
  // A start asked for while a run is on the stack (a timer firing inside its pump) is refused: a
  // run never runs inside another.
  if (inRun_ || ending_) return;
  inRun_ = true;
  RunCaptureLoop();
  inRun_ = false;
}

void MainForm::RunCaptureLoop() {
  if (!settings_.exitRequest.empty()) return;
  settings_.debugMode = FirstWordIsDebug(commandLine_);
  HWND go = Item(ids::kGoButton);
  SetControlText(go, L"Stop");
  tips_.SetText(go, L"Stop");
  ::ShowWindow(Item(ids::kStatusLabel), SW_SHOW);
  ::SetFocus(UpperBox(settings_.pairIndex));
  ::SetTimer(Window(), kTimerSample, 10, nullptr);
  settings_.running = true;
  settings_.exitRequest.clear();
  std::uint32_t now = 0;
  settings_.pointWindow = reinterpret_cast<std::uintptr_t>(go);
  if (!settings_.debugMode && !settings_.hotkey.empty()) ShowStopHint(settings_.running);
  SetControlText(Item(ids::kMsgLabel), L"Go");
  markers_.Show(instance_, settings_.shift);
  pass_.StartRun();
  lastHintTick_ = lastActionTick_ = 0;

  do {
    RunPass(now);
    if (ending_) return;  // the window is gone: nothing of it may be touched
    now = ::GetTickCount();
    RunActionTestIfKeyDown();
    if (!PumpMessages()) return;
  } while (settings_.exitRequest.empty() && settings_.running);

  RunEndOfRunOutput();
  SetControlText(go, L"Go");
  tips_.SetText(go, Text(IDS_TIP_GO));
  markers_.Unload();
  ::ShowWindow(Item(ids::kStatusLabel), SW_HIDE);
  if (!PumpMessages()) return;
  ::KillTimer(Window(), kTimerSample);
  if (settings_.exitRequest == L"Unload") ::SetTimer(Window(), kTimerEnd, 10, nullptr);
  settings_.exitRequest.clear();
  ShowStopHint(settings_.running);
}

void MainForm::RunPass(std::uint32_t now) {
  if (settings_.shift == 1) markers_.Move(settings_.pointX, settings_.pointY);
  const bool force = forceCapture_;
  forceCapture_ = false;
  if (pass_.Decide(settings_.pointX, settings_.pointY, now, force)) Capture();
  if (ending_) return;
  ShowTooltipHint(pass_.dwell);
  ::Sleep(10);
  if (!PumpMessages()) return;
  RunAutoStopCheck(pass_.dwell);
}

// While the pointer rests between half a second and three seconds, the tool tip it brought up (if
// any) goes into the status box, at most every 100 ms.
void MainForm::ShowTooltipHint(std::uint32_t dwell) {
  if (settings_.hint != 1 || dwell <= 500 || dwell >= 3000) return;
  const std::uint32_t now = ::GetTickCount();
  if (now - lastHintTick_ <= 100) return;
  const std::wstring tip = capture::CurrentTooltipText(ReaderContextForCapture());
  if (!tip.empty()) SetControlText(Item(ids::kStatusBox), tip);
  lastHintTick_ = now;
}

// With Ctrl held, the accessible object under the point runs the chosen action, at most once a
// second however long the key stays down.
void MainForm::RunActionTestIfKeyDown() {
  if (settings_.actionTest < 1 || !platform::IsKeyDown(settings_.actionTestKey, 0xFFFF8000u)) return;
  if (::GetTickCount() <= lastActionTick_ + 1000) return;
  const capture::ReaderContext context = ReaderContextForCapture();
  reports::RunActionTest(settings_.actionTest, context.accessibility->ObjectAtPoint(settings_.pointX, settings_.pointY),
                         reports::ShowActionMessage);
  lastActionTick_ = ::GetTickCount();
}

void MainForm::SamplePointer() {
  if (!settings_.running) {
    settings_.pointWindow = 0;
    return;
  }
  POINT pointer;
  if (!::GetCursorPos(&pointer)) return;
  settings_.pointerCopyX = pointer.x;
  settings_.pointerCopyY = pointer.y;
  settings_.pointX = pointer.x + (settings_.shift == 1 ? settings_.shiftX : 0);
  settings_.pointY = pointer.y + (settings_.shift == 1 ? settings_.shiftY : 0);
  HWND window = platform::VisibleWindowAtPoint({settings_.pointX, settings_.pointY});
  settings_.pointWindow = reinterpret_cast<std::uintptr_t>(window);
  if (settings_.mousPos == L"client") {
    if (HWND parent = ::GetParent(window)) {
      POINT copy{settings_.pointerCopyX, settings_.pointerCopyY};
      ::ScreenToClient(parent, &copy);
      settings_.pointerCopyX = copy.x;
      settings_.pointerCopyY = copy.y;
    }
  }
  SetControlText(Item(ids::kMousePosLabel), PointerPositionText(settings_.pointX, settings_.pointY));
}

void MainForm::SetHandleBox(std::uintptr_t handle) {
  handleTag_ = HandleText(handle, false);
  SetControlText(Item(ids::kHandleBox), HandleText(handle, settings_.winHandle == L"hex"));
}

void MainForm::RunAutoStopCheck(std::uint32_t idleMilliseconds) {
  const AutoStopStep step = CheckAutoStop(settings_.autoStop, settings_.autoStopTime, idleMilliseconds, shownCount_);
  HWND label = Item(ids::kAutoStopLabel);
  switch (step.action) {
    case AutoStopStep::Action::ClearLabel:
      shownCount_ = 0;
      SetControlText(label, L"");
      return;
    case AutoStopStep::Action::ShowCount:
      shownCount_ = step.remaining;
      SetControlText(label, std::to_wstring(step.remaining));
      return;
    case AutoStopStep::Action::Stop:
      shownCount_ = 0;
      SetControlText(label, L"");
      if (!PumpMessages()) return;
      if (settings_.chime == 1) PlayChime();
      settings_.running = false;
      if (settings_.autoClose == 1) {
        settings_.exitRequest = L"Unload";
        // The user sees the run end before the window goes; the messages keep flowing meanwhile.
        for (const DWORD wait : {1000u, 2000u}) {
          const DWORD until = ::GetTickCount() + wait;
          while (static_cast<int>(until - ::GetTickCount()) > 0) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, until - ::GetTickCount(), QS_ALLINPUT);
            if (!PumpMessages()) return;
          }
          if (wait == 1000u) ::ShowWindow(Window(), SW_HIDE);
        }
      }
      return;
    case AutoStopStep::Action::Nothing:
      return;
  }
}

}  // namespace glimmet::shell
