#include "glimmet/platform/key_input.h"

namespace glimmet::platform {
namespace {

void SendKey(int virtualKey, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtualKey);
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

}  // namespace

bool IsKeyDown(int virtualKey, unsigned mask) {
  const auto state = static_cast<unsigned>(static_cast<int>(::GetAsyncKeyState(virtualKey)));
  return (state & mask) != 0;
}

void SendKeyDown(int virtualKey) { SendKey(virtualKey, KEYEVENTF_EXTENDEDKEY); }
void SendKeyUp(int virtualKey) { SendKey(virtualKey, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP); }

void SelectAllByKeys() {
  SendKeyDown(VK_CONTROL);
  SendKeyDown(VK_HOME);
  SendKeyUp(VK_HOME);
  SendKeyDown(VK_SHIFT);
  SendKeyDown(VK_END);
  SendKeyUp(VK_END);
  SendKeyUp(VK_CONTROL);
  SendKeyUp(VK_SHIFT);
}

}  // namespace glimmet::platform
