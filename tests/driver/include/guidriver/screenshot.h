// Pictures of a window for a person reading a test run: written into the build tree when there
// are pixels to take, skipped quietly under a headless graphics driver.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace guidriver {

// False under Wine's headless "null" graphics driver, where every pixel reads black.
bool DisplayAvailable();

// Copies the window's screen area into "<build>/screenshots/<name>.bmp" (the folder beside the
// test executables' folder) and returns the file's path; nothing and no error without a display.
std::optional<std::wstring> SaveScreenshot(HWND window, const std::wstring& name);

}  // namespace guidriver
