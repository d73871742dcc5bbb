#include "glimmet/platform/window_text.h"

#include <vector>

#include "glimmet/core/box_text.h"
#include "glimmet/core/control_kind.h"

namespace glimmet::platform {

std::wstring ClassNameOf(HWND window) {
  wchar_t buffer[128] = {};
  const int length = ::GetClassNameW(window, buffer, 128);
  return std::wstring(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::wstring WindowTextOf(HWND window) {
  std::vector<wchar_t> buffer(9192, L'\0');
  const int length = ::GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return UnifyLineBreaks(std::wstring_view(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0));
}

HWND TopLevelOf(HWND window) {
  HWND top = window;
  for (HWND parent = window ? ::GetParent(window) : nullptr; parent; parent = ::GetParent(parent)) top = parent;
  return top;
}

bool IsPasswordEdit(HWND window) {
  return window && (::GetWindowLongW(window, GWL_STYLE) & ES_PASSWORD) &&
         ContainsIgnoringCase(ClassNameOf(window), L"edit");
}

}  // namespace glimmet::platform
