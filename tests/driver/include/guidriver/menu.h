// The menu bar of a window of another process.
#pragma once

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

// Every entry of the window's menu bar, depth first. Menus are system objects that another
// process may read where the system allows it; throws DriverError when the menu cannot be read.
std::vector<MenuEntry> MenuBarEntries(HWND window);

}  // namespace guidriver
