#pragma once
// Visible windows whose class and title contain given texts (ignoring case; an empty filter
// accepts all), sorted by handle value: the table of the window report and the status-bar and
// tool-tip lookups.

#include <windows.h>

#include <string_view>
#include <vector>

namespace glimmet::reports {

// All visible descendants of `parent`, not only its direct children.
std::vector<HWND> FindChildWindows(HWND parent, std::wstring_view classFilter, std::wstring_view titleFilter);
// Visible top-level windows.
std::vector<HWND> FindTopWindows(std::wstring_view classFilter, std::wstring_view titleFilter);

}  // namespace glimmet::reports
