#include "glimmet/reports/accessibility_source.h"

namespace glimmet::reports {
namespace {

// Interface ids come from __uuidof (IID_PPV_ARGS): MinGW's oleacc import library resolves the
// data symbol IID_IAccessible to a code thunk, not to the id.

class SystemSource final : public AccessibilitySource {
 public:
  AccessibleRef ObjectAtPoint(int x, int y) const override {
    AccessibleRef ref;
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
    if (!window || FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
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
