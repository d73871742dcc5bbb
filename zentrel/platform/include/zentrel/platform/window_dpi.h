#pragma once
// The DPI a window is shown at, and lengths given for 96 DPI scaled to it. The layout's pixel
// offsets and the lists' column widths are 96-DPI values; dialog templates scale by themselves.

#include <windows.h>

namespace zentrel {

// GetDpiForWindow where the system has it (Windows 10 1607 and later: per monitor); otherwise the
// system DPI of the window's device context.
UINT WindowDpi(HWND window);

inline int ScaleToDpi(int pixelsAt96, UINT dpi) { return MulDiv(pixelsAt96, static_cast<int>(dpi), 96); }

// WM_DPICHANGED: the window takes the rectangle the system suggests for the new monitor (its
// WM_SIZE lays the controls out for the new DPI) and the list's columns keep their share of it.
void FollowDpiChange(HWND dialog, HWND list, UINT oldDpi, UINT newDpi, const RECT& suggested);

}  // namespace zentrel
