#include "zentrel/platform/window_dpi.h"

#include <commctrl.h>

namespace zentrel {

UINT WindowDpi(HWND window) {
  using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowProc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  HDC dc = GetDC(window);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
  if (dc) ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void FollowDpiChange(HWND dialog, HWND list, UINT oldDpi, UINT newDpi, const RECT& suggested) {
  if (oldDpi != 0 && oldDpi != newDpi) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
      const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
      SendMessageW(list, LVM_SETCOLUMNWIDTH, column, MulDiv(width, static_cast<int>(newDpi), static_cast<int>(oldDpi)));
    }
  }
  SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zentrel
