#pragma once

#include <windows.h>

namespace zentrel::ui {

// The about box. Owner-less, so the main window stays usable while it is open.
void ShowAboutBox(HINSTANCE instance);

}  // namespace zentrel::ui
