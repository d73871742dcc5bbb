#pragma once
// The window details report: the window's handle, class, title and rectangle, its owner, its
// parent chain and a table of its visible descendants, from values read beforehand.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glimmet {

struct WindowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct ReportedWindow {
  std::uint64_t handle = 0;
  std::wstring className, title;
  WindowRect rect;
};

struct WindowReportParts {
  ReportedWindow window;
  std::optional<ReportedWindow> owner;
  std::vector<ReportedWindow> parents;   // outermost first
  std::vector<ReportedWindow> children;  // visible descendants, sorted by handle
  bool hexHandles = false;               // "win handle" is "hex": the table's handles in hex
};

std::wstring FormatWindowReport(const WindowReportParts& parts);

}  // namespace glimmet
