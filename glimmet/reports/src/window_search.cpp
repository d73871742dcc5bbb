#include "glimmet/reports/window_search.h"

#include <algorithm>
#include <cstdint>

#include "glimmet/core/control_kind.h"
#include "glimmet/platform/window_text.h"

namespace glimmet::reports {
namespace {

// The enumeration state travels in the callback's parameter, so searches need no shared state.
struct Search {
  std::wstring_view classFilter, titleFilter;
  std::vector<HWND> found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  if (!window) return FALSE;
  if (!::IsWindowVisible(window)) return TRUE;
  auto& search = *reinterpret_cast<Search*>(parameter);
  if (!search.classFilter.empty() && !ContainsIgnoringCase(platform::ClassNameOf(window), search.classFilter)) {
    return TRUE;
  }
  if (!search.titleFilter.empty() && !ContainsIgnoringCase(platform::WindowTextOf(window), search.titleFilter)) {
    return TRUE;
  }
  search.found.push_back(window);
  return TRUE;
}

std::vector<HWND> Sorted(std::vector<HWND> windows) {
  std::sort(windows.begin(), windows.end(), [](HWND a, HWND b) {
    return reinterpret_cast<std::uintptr_t>(a) < reinterpret_cast<std::uintptr_t>(b);
  });
  return windows;
}

}  // namespace

std::vector<HWND> FindChildWindows(HWND parent, std::wstring_view classFilter, std::wstring_view titleFilter) {
  Search search{classFilter, titleFilter, {}};
  ::EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&search));
  return Sorted(std::move(search.found));
}

std::vector<HWND> FindTopWindows(std::wstring_view classFilter, std::wstring_view titleFilter) {
  Search search{classFilter, titleFilter, {}};
  ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return Sorted(std::move(search.found));
}

}  // namespace glimmet::reports
