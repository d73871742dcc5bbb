#pragma once
// The class name, title and top-level window of any window, read without sending it a message
// (a hung program cannot stall them).

#include <windows.h>

#include <string>

namespace glimmet::platform {

// GetClassNameW into 128 characters.
std::wstring ClassNameOf(HWND window);
// GetWindowTextW into 9192 characters, every lone LF made CR LF.
std::wstring WindowTextOf(HWND window);
// The last window reached by following GetParent; the window itself when it has no parent.
HWND TopLevelOf(HWND window);
// An edit control (any class naming "edit") with ES_PASSWORD: its text is never read.
bool IsPasswordEdit(HWND window);

}  // namespace glimmet::platform
