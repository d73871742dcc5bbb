// Dropping files on a window of another process, as Explorer does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace guidriver {

// Builds the DROPFILES block (wide paths, double-NUL list) inside the target's memory and posts
// WM_DROPFILES with its address as the HDROP. A handle allocated in the driver's own process
// would be meaningless to the receiver; the receiver's DragFinish owns the block from then on,
// so the driver never frees it. `point` is the drop position in the window's client area.
void PostDrop(HWND target, const std::vector<std::wstring>& paths, POINT point = {0, 0});

// The DROPFILES block itself, as bytes (exposed for its unit test).
std::vector<unsigned char> BuildDropBlock(const std::vector<std::wstring>& paths, POINT point);

}  // namespace guidriver
