#include "glimmet/reports/window_report.h"

#include <cstdint>

#include "glimmet/core/window_report_text.h"
#include "glimmet/platform/window_text.h"
#include "glimmet/reports/window_search.h"

namespace glimmet::reports {
namespace {

WindowRect RectOf(HWND window) {
  RECT rect{};
  if (!::GetWindowRect(window, &rect)) return {};
  return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
          static_cast<int>(rect.bottom)};
}

ReportedWindow Describe(HWND window) {
  return {reinterpret_cast<std::uintptr_t>(window), platform::ClassNameOf(window), platform::WindowTextOf(window),
          RectOf(window)};
}

}  // namespace

std::wstring BuildWindowReport(HWND window, const std::wstring& className, const std::wstring& title,
                               bool hexHandles) {
  WindowReportParts parts;
  parts.window = {reinterpret_cast<std::uintptr_t>(window), className, title, RectOf(window)};
  parts.hexHandles = hexHandles;
  if (HWND owner = ::GetWindow(window, GW_OWNER)) parts.owner = Describe(owner);
  for (HWND parent = ::GetParent(window); parent; parent = ::GetParent(parent)) {
    parts.parents.insert(parts.parents.begin(), Describe(parent));
  }
  for (HWND child : FindChildWindows(window, L"", L"")) {
    if (::IsWindowVisible(child)) parts.children.push_back(Describe(child));
  }
  return FormatWindowReport(parts);
}

}  // namespace glimmet::reports
