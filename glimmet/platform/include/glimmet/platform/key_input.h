#pragma once
// Synthetic key input and the asynchronous key state.

#include <windows.h>

namespace glimmet::platform {

// True when GetAsyncKeyState(virtualKey) has any bit of `mask` set (0xFFFF8000: down now).
bool IsKeyDown(int virtualKey, unsigned mask);

// One extended key event through SendInput, with the scan code of the key.
void SendKeyDown(int virtualKey);
void SendKeyUp(int virtualKey);

// Ctrl+Home, then Shift+Ctrl+End: selects everything in the focused text control, whoever owns it.
void SelectAllByKeys();

}  // namespace glimmet::platform
