#include "glimmet/platform/window_at_point.h"

#include "glimmet/platform/window_text.h"

namespace glimmet::platform {
namespace {

bool ClassIs(HWND window, const wchar_t* name) { return ::lstrcmpiW(ClassNameOf(window).c_str(), name) == 0; }

bool Contains(HWND window, POINT point) {
  RECT rect;
  return ::GetWindowRect(window, &rect) && ::PtInRect(&rect, point);
}

}  // namespace

bool IsSeeThroughWindow(HWND window) {
  const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  if (ClassIs(window, L"Button")) return (style & BS_TYPEMASK) == BS_GROUPBOX;
  if (ClassIs(window, L"Static")) return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
  return false;
}

HWND VisibleWindowAtPoint(POINT point) {
  HWND hit = ::WindowFromPoint(point);
  if (!hit || !IsSeeThroughWindow(hit) || !(::GetWindowLongPtrW(hit, GWL_STYLE) & WS_CHILD)) return hit;
  HWND parent = ::GetParent(hit);
  if (!parent) return hit;
  for (HWND sibling = ::GetWindow(parent, GW_CHILD); sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == hit || !::IsWindowVisible(sibling) || !Contains(sibling, point) || IsSeeThroughWindow(sibling))
      continue;
    // A container found this way (a child dialog, a frame) answers for its own children.
    HWND found = sibling;
    for (;;) {
      POINT client = point;
      ::ScreenToClient(found, &client);
      HWND inner = ::ChildWindowFromPointEx(found, client, CWP_SKIPINVISIBLE);
      if (!inner || inner == found || IsSeeThroughWindow(inner)) break;
      found = inner;
    }
    return found;
  }
  return hit;
}

}  // namespace glimmet::platform
