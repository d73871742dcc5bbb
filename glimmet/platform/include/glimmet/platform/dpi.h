#pragma once

#include <windows.h>

namespace glimmet::platform {

// Makes the process per-monitor DPI aware where the system offers it (before any window exists).
void BecomeDpiAware();
// The DPI of the monitor `window` is on (96 when unknown).
UINT WindowDpi(HWND window);
// 1440 twips an inch.
inline double TwipsPerPixel(UINT dpi) { return 1440.0 / dpi; }

}  // namespace glimmet::platform
