#include "glimmet/reports/accessibility_source.h"

#include "glimmet/platform/bounded_message.h"
#include "glimmet/platform/window_at_point.h"

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
    // A group box lies over the controls inside it and would answer for them: the object is then
    // taken from the control the user sees, hit-tested at the point.
    const POINT point{x, y};
    if (HWND visible = platform::VisibleWindowAtPoint(point); visible && visible != ::WindowFromPoint(point))
      return HitTest(ObjectOfWindow(visible), x, y);
    AccessibleRef ref;
    // The object comes from the top-level window down to the window at the point.
    const HWND window = ::WindowFromPoint(point);
    const HWND top = ::GetAncestor(window, GA_ROOT);
    if (!Answers(window) || (top != window && !Answers(top))) return ref;
    VARIANT child;
    ::VariantInit(&child);
    if (SUCCEEDED(::AccessibleObjectFromPoint(point, ref.object.GetAddressOf(), &child))) {
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

  HWND WindowAtPoint(int x, int y) const override { return platform::VisibleWindowAtPoint(POINT{x, y}); }

 private:
  // The element of `ref` at the point: a simple element, an object of its own, or `ref` itself.
  static AccessibleRef HitTest(AccessibleRef ref, int x, int y) {
    if (!ref) return ref;
    VARIANT hit;
    ::VariantInit(&hit);
    if (FAILED(ref.object->accHitTest(x, y, &hit))) return ref;
    auto owned = platform::UniqueVariant::Adopt(hit);
    const VARIANT& value = owned.Get();
    if (value.vt == VT_I4 && value.lVal != CHILDID_SELF) {
      ref.child = std::move(owned);
    } else if (value.vt == VT_DISPATCH && value.pdispVal) {
      Microsoft::WRL::ComPtr<IAccessible> inner;
      if (SUCCEEDED(value.pdispVal->QueryInterface(IID_PPV_ARGS(inner.GetAddressOf())))) {
        ref.object = std::move(inner);
        ref.child = platform::UniqueVariant::Long(CHILDID_SELF);
      }
    }
    return ref;
  }
};

}  // namespace

const AccessibilitySource& SystemAccessibility() {
  static const SystemSource source;
  return source;
}

}  // namespace glimmet::reports
