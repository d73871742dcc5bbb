#pragma once
// The filter of Zentrel's file dialogs: the single entry "all files" for "*.*", as the
// double-NUL-terminated list the common dialogs expect.

#include <windows.h>

#include <string>

#include "resource.h"
#include "win_controls.h"

namespace zentrel::ui {

inline std::wstring AllFilesFilter(HINSTANCE instance) {
  std::wstring filter = LoadResourceString(instance, IDS_FILTER_ALL_FILES);
  filter += L'\0';
  filter += L"*.*";
  filter += L'\0';
  filter += L'\0';
  return filter;
}

}  // namespace zentrel::ui
