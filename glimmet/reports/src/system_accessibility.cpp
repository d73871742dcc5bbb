#include "glimmet/reports/accessibility_source.h"

#include "glimmet/platform/bounded_message.h"

namespace glimmet::reports {
namespace {

// oleacc may ask a window for its object with a WM_GETOBJECT send without a bound (Wine's does),
// which never returns from a window whose thread has stopped reading messages: a window that does
// not answer a bounded WM_NULL is not asked.
bool Answers(HWND window) { return platform::SendBounded(window, WM_NULL).has_value(); }

// Interface ids come from __uuidof (IID_PPV_ARGS): MinGW's oleacc import library resolves the
// data symbol IID_IAccessible to a code thunk, not to the id.

class SystemSource final : public AccessibilitySource {
 public:
  AccessibleRef ObjectAtPoint(int x, int y) const override {
    AccessibleRef ref;
    // The object comes from the top-level window down to the window at the point.
    const HWND window = ::WindowFromPoint(POINT{x, y});
    const HWND top = ::GetAncestor(window, GA_ROOT);
    if (!Answers(window) || (top != window && !Answers(top))) return ref;
    VARIANT child;
    ::VariantInit(&child);
    if (SUCCEEDED(::AccessibleObjectFromPoint(POINT{x, y}, ref.object.GetAddressOf(), &child))) {
      ref.child = platform::UniqueVariant::Adopt(child);
    } else {
      ref.object.Reset();
    }
    return ref;
  }

  AccessibleRef ObjectOfWindow(HWND window) const override {
    AccessibleRef ref;
    if (!window || !Answers(window) ||
        FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                            IID_PPV_ARGS(ref.object.GetAddressOf())))) {
      ref.object.Reset();
      return ref;
    }
    ref.child = platform::UniqueVariant::Long(CHILDID_SELF);
    return ref;
  }

  HWND WindowAtPoint(int x, int y) const override { return ::WindowFromPoint(POINT{x, y}); }
};

}  // namespace

const AccessibilitySource& SystemAccessibility() {
  static const SystemSource source;
  return source;
}

}  // namespace glimmet::reports
