// Messages to windows of another process. Sent messages carry a timeout so a hung or crashed
// target fails the test instead of hanging the whole run.
#pragma once

#include <windows.h>

namespace guidriver {

// SendMessageTimeoutW with SMTO_ABORTIFHUNG; throws DriverError when the target does not answer.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// PostMessageW; throws DriverError when the message cannot be queued (the window is gone).
void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// A menu or accelerator command as the window's own menu would send it (notification code 0).
void PostCommand(HWND window, int id);

// A key press (WM_KEYDOWN then WM_KEYUP) posted to `window`; posted rather than sent so that the
// target's message loop sees it and dialog navigation (IsDialogMessage) applies, as for typing.
void PostKeyPress(HWND window, UINT virtualKey);

// The key pressed with Alt held (WM_SYSKEYDOWN, WM_SYSKEYUP with the context bit), e.g. Alt+F4.
void PostAltKeyPress(HWND window, UINT virtualKey);

}  // namespace guidriver
