// The input watcher's dispatch and the system-wide stop hot key: keys and mouse buttons reach
// Glimmet while another program has the keyboard.
#include "glimmet/core/key_names.h"
#include "glimmet/platform/key_input.h"
#include "glimmet/shell/control_ids.h"
#include "main_form.h"
#include "text_ids.h"

namespace glimmet::shell {
namespace {

// The same press may arrive twice, polled and as WM_HOTKEY; the other route's arrival within this
// span is the same press, not a second one (which would start the run it just stopped).
constexpr DWORD kSamePressMilliseconds = 300;

std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

void MainForm::OnInputTick() {
  const InputPoll poll = watcher_.Poll();
  switch (poll.event) {
    case InputEvent::KeyDown:
      if (poll.code == HotKeyCode(std::wstring_view(settings_.hotkey)) && poll.code != 0) {
        ToggleRunByHotKey(HotKeyRoute::Polled);
      } else if (poll.code == kAltT && settings_.enableHotT == 1) {
        OpenSettingsForm();
      } else if (poll.code == kCtrlA && ::GetForegroundWindow() == Window()) {
        platform::SelectAllByKeys();
      }
      return;
    case InputEvent::LeftDown:
    case InputEvent::RightDown:
    case InputEvent::MiddleDown:
      forceCapture_ = true;
      return;
    default:
      return;
  }
}

void MainForm::ToggleRunByHotKey(HotKeyRoute route) {
  const DWORD now = ::GetTickCount();
  if (lastHotKeyRoute_ != HotKeyRoute::None && lastHotKeyRoute_ != route &&
      now - lastHotKeyTick_ < kSamePressMilliseconds)
    return;
  lastHotKeyRoute_ = route;
  lastHotKeyTick_ = now;
  // A start goes through Timer_Go, outside the tick or message that asked for it.
  if (settings_.running)
    settings_.running = false;
  else
    ::SetTimer(Window(), kTimerGo, 10, nullptr);
}

bool MainForm::RegisterStopHotKey() {
  if (settings_.hotkey.empty()) return true;
  if (hotKeyId_ != 0) return true;  // once per process: the key stays registered until the end
  const KeyCode code = HotKeyCode(std::wstring_view(settings_.hotkey));
  if (code == 0) return false;
  const ATOM id = ::GlobalAddAtomW(L"POINT1");
  if (!::RegisterHotKey(Window(), id, static_cast<UINT>(code / 0x10000), static_cast<UINT>(code % 0x10000))) {
    ::GlobalDeleteAtom(id);
    return false;
  }
  hotKeyId_ = id;
  return true;
}

void MainForm::OnHotKey(WPARAM id) {
  if (hotKeyId_ == 0 || id != hotKeyId_ || inHotKey_) return;
  inHotKey_ = true;
  ToggleRunByHotKey(HotKeyRoute::Registered);
  inHotKey_ = false;
}

std::wstring MainForm::KeyNameText(int virtualKey) const { return ToWide(KeyName(virtualKey)); }

}  // namespace glimmet::shell
