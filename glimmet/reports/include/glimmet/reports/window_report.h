#pragma once
// The window details report of a window: handle, class, title, rectangle, owner, parent chain
// and the table of its visible descendants.

#include <windows.h>

#include <string>

namespace glimmet::reports {

// `className` and `title` are what the capture already read; `hexHandles` is "win handle" "hex".
// A window that disappears meanwhile gives zero rectangles and empty texts.
std::wstring BuildWindowReport(HWND window, const std::wstring& className, const std::wstring& title,
                               bool hexHandles);

}  // namespace glimmet::reports
