#pragma once
// The actions on a listed file: remove its row, open it with its default application, or open it
// with the application of the "openapp" setting. Act on the first selected row only.

#include <windows.h>

namespace zentrel {
class SettingsStore;
}

namespace zentrel::ui {

enum OpenMode : int {
  kOpenByDoubleClickSetting = -1,  // take the mode from "dclick"
  kRemoveRow = 0,
  kOpenWithDefault = 1,
  kOpenWithApplication = 2,
};

void RunOpenAction(HWND list, int mode, const SettingsStore& settings);

}  // namespace zentrel::ui
