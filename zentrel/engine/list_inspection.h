#pragma once
// Inspection for the result list: walks a dropped path (row index -1 appends rows) or re-checks the
// file of one row (row index >= 0 rewrites it), reading the settings afresh on every call.

#include <windows.h>

#include <functional>
#include <string>

#include "file_system_win.h"
#include "list_view_sink.h"
#include "nkf_dll_guesser.h"
#include "store_settings_reader.h"
#include "zentrel/core/inspection_engine.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel {

// Many calls in a row (the conversion's re-check of every handled row): the list stays undrawn
// from the first call until this object goes, instead of repainting itself after every file.
class ListInspection {
 public:
  ListInspection(HWND list, const SettingsStore& settings, std::function<LPARAM()> newRowTag = {});
  ListInspection(const ListInspection&) = delete;
  ListInspection& operator=(const ListInspection&) = delete;

  void InspectPath(const std::wstring& path, int rowIndex);

 private:
  Win32FileSystem files_;
  StoreSettingsReader reader_;
  NkfDllGuesser guesser_;
  ListViewSink sink_;
  InspectionEngine engine_;
};

void InspectPath(HWND list, const std::wstring& path, int rowIndex, const SettingsStore& settings,
                 const std::function<LPARAM()>& newRowTag = {});

}  // namespace zentrel
