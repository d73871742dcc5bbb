#include "guidriver/menu.h"

#include "guidriver/driver_error.h"
#include "guidriver/messages.h"
#include "guidriver/unique_handle.h"
#include "guidriver/window_query.h"

namespace guidriver {
namespace {

void Collect(HMENU menu, int depth, std::vector<MenuEntry>& entries) {
  const int count = ::GetMenuItemCount(menu);
  if (count < 0) ThrowLastError("GetMenuItemCount failed");
  for (int index = 0; index < count; ++index) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info)) {
      ThrowLastError("GetMenuItemInfoW failed for item " + std::to_string(index));
    }
    MenuEntry entry;
    entry.depth = depth;
    entry.separator = (info.fType & MFT_SEPARATOR) != 0;
    entry.id = info.hSubMenu ? 0 : info.wID;
    entry.text = text;
    entries.push_back(std::move(entry));
    if (info.hSubMenu) Collect(info.hSubMenu, depth + 1, entries);
  }
}

}  // namespace

std::vector<MenuEntry> MenuEntries(HMENU menu) {
  std::vector<MenuEntry> entries;
  Collect(menu, 0, entries);
  return entries;
}

std::vector<MenuEntry> MenuBarEntries(HWND window) {
  HMENU bar = ::GetMenu(window);
  if (!bar) ThrowLastError("the window has no menu bar, or it cannot be read from here");
  return MenuEntries(bar);
}

namespace {

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle module) { ::FreeLibrary(module); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle menu) { ::DestroyMenu(menu); }
};

}  // namespace

std::vector<MenuEntry> MenuResourceEntries(const std::wstring& module, int id) {
  UniqueHandle<ModuleTraits> data(::LoadLibraryExW(module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!data) ThrowLastError("cannot load '" + Utf8(module) + "' as data");
  UniqueHandle<MenuTraits> menu(::LoadMenuW(data.Get(), MAKEINTRESOURCEW(id)));
  if (!menu) ThrowLastError("no menu " + std::to_string(id) + " in '" + Utf8(module) + "'");
  return MenuEntries(menu.Get());
}

HWND WaitForPopupMenu(DWORD processId, Milliseconds timeout) {
  WindowQuery query;
  query.processId = processId;
  query.className = L"#32768";
  return WaitForTopLevelWindow(query, timeout);
}

namespace {

// Key-downs only: the menu loop acts on them, and the last one closes the menu window, so a
// key-up posted after it could find the window gone.
void PostKeyDown(HWND window, UINT virtualKey) {
  const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  Post(window, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
}

}  // namespace

void ChoosePopupMenuItem(HWND menuWindow, int index) {
  // Nothing is selected when a popup opens: the first Down selects the first item.
  for (int step = 0; step <= index; ++step) PostKeyDown(menuWindow, VK_DOWN);
  PostKeyDown(menuWindow, VK_RETURN);
}

void DismissPopupMenu(HWND menuWindow) { PostKeyDown(menuWindow, VK_ESCAPE); }

}  // namespace guidriver
