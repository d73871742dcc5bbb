#pragma once
// InspectPath for the result list: walks a dropped path (row index -1 appends rows) or re-checks the
// file of one row (row index >= 0 rewrites it), reading the settings afresh on every call.

#include <windows.h>

#include <functional>
#include <string>

#include "zentrel/settings/settings_store.h"

namespace zentrel {

void InspectPath(HWND list, const std::wstring& path, int rowIndex, const SettingsStore& settings,
                 const std::function<LPARAM()>& newRowTag = {});

}  // namespace zentrel
