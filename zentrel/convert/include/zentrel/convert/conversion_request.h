#pragma once
// What the main window hands to a conversion job: the choices taken when Convert was pressed and
// the dropped item each row came from. Read from the worker thread; nothing changes it during a job
// (the main window is disabled under the modal progress dialog).

#include <windows.h>

#include <functional>
#include <string>

namespace zentrel {

class SettingsStore;

struct ConversionRequest {
  HWND resultList = nullptr;
  const SettingsStore* settings = nullptr;
  int encodingChoice = -1;
  int eolChoice = -1;
  bool replace = true;        // in place; otherwise into outputFolder
  std::wstring outputFolder;
  // The dropped item the row with this item data was found under.
  std::function<std::wstring(LPARAM rowData)> dropRootOfRow;
};

}  // namespace zentrel
