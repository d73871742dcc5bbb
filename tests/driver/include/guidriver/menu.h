// The menu bar of a window of another process.
#pragma once

#include "guidriver/wait.h"

#include <windows.h>

#include <string>
#include <vector>

namespace guidriver {

struct MenuEntry {
  int depth = 0;        // 0: a popup on the bar; 1: an item of that popup; ...
  UINT id = 0;          // 0 for popups and separators
  bool separator = false;
  std::wstring text;    // with its '&' mnemonic marker, as in the resource
};

// Every entry of a menu, depth first; throws DriverError when the menu cannot be read.
std::vector<MenuEntry> MenuEntries(HMENU menu);

// The entries of the window's menu bar. Windows lets another process read them; Wine 8 does not
// (GetMenuItemCount fails), where this throws DriverError and MenuResourceEntries is the way.
std::vector<MenuEntry> MenuBarEntries(HWND window);

// The entries of menu resource `id` in the program file `module` (loaded as data, never run).
std::vector<MenuEntry> MenuResourceEntries(const std::wstring& module, int id);

// A popup menu shown by TrackPopupMenu in another process (a visible window of class "#32768").
HWND WaitForPopupMenu(DWORD processId, Milliseconds timeout = kDefaultTimeout);

// Chooses the `index`-th selectable item (separators do not count) with the arrow keys and
// Enter, as the user would: the target's menu loop then sends the item's command to its owner.
void ChoosePopupMenuItem(HWND menuWindow, int index);

// Closes the popup without choosing anything (Esc).
void DismissPopupMenu(HWND menuWindow);

}  // namespace guidriver
