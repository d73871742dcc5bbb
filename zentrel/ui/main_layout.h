#pragma once

#include <windows.h>

namespace zentrel::ui {

// Moves the main dialog's controls for a client area of width x height pixels: the list fills the
// left, everything else keeps its top and size and follows the right edge (offsets scaled to the
// window's DPI).
void LayoutMainWindow(HWND dialog, int width, int height);

}  // namespace zentrel::ui
