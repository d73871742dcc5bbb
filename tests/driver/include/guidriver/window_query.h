// Finding windows of another process and reading what they show.
#pragma once

#include "guidriver/wait.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace guidriver {

struct WindowInfo {
  HWND handle = nullptr;
  std::wstring className;
  std::wstring caption;
  bool visible = false;
};

// What a wanted top-level window looks like; empty fields match anything.
struct WindowQuery {
  DWORD processId = 0;               // 0: any process
  std::wstring className;            // e.g. L"#32770" for dialogs and message boxes
  std::optional<std::wstring> caption;        // exact caption
  std::optional<std::wstring> captionPrefix;  // caption starts with this
  bool visibleOnly = true;  // a dialog is found before its children exist; visible means ready

  bool Matches(const WindowInfo& window) const;
  std::string Describe() const;  // for failure messages
};

std::wstring ClassName(HWND window);

// WM_GETTEXT, which the system copies across processes (GetWindowTextW does not read the text
// of another process's controls).
std::wstring WindowText(HWND window);

// Top-level windows, optionally only those of one process, in z-order.
std::vector<WindowInfo> TopLevelWindows(DWORD processId = 0);

// "class 'caption' (visible)" for each window: what a timeout message shows as seen.
std::string DescribeWindows(const std::vector<WindowInfo>& windows);

// The first matching top-level window, or nullptr.
HWND FindTopLevelWindow(const WindowQuery& query);

// Waits for a matching top-level window; throws DriverError naming the query and the windows
// of the process (or all windows) seen at the end.
HWND WaitForTopLevelWindow(const WindowQuery& query, Milliseconds timeout = kDefaultTimeout);

// A dialog or message box (class #32770) by its exact caption; processId 0 means any owner.
HWND WaitForDialog(const std::wstring& caption, DWORD processId = 0,
                   Milliseconds timeout = kDefaultTimeout);

// Waits until the window no longer exists.
testing::AssertionResult WaitUntilGone(HWND window, Milliseconds timeout = kDefaultTimeout);

// Waits until WM_GETTEXT of the window returns exactly `text`.
testing::AssertionResult WaitForText(HWND window, const std::wstring& text,
                                     Milliseconds timeout = kDefaultTimeout);

// Child window with the given control id, else the first descendant with it (controls inside a
// container window); throws DriverError when there is none.
HWND Control(HWND parent, int id);

// The text of a message box: its static control 0xFFFF.
std::wstring MessageBoxText(HWND box);

}  // namespace guidriver
