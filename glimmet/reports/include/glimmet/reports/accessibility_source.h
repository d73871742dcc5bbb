#pragma once
// Where accessible objects come from: the system's oleacc by default, fake objects in tests (the
// platform's own accessibility is too generic under some systems to test the readers against).

#include <windows.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <string>

#include "glimmet/platform/com_value.h"

namespace glimmet::reports {

// An accessible object and the child it stands for: CHILDID_SELF (0), a simple element's number,
// or another object.
struct AccessibleRef {
  Microsoft::WRL::ComPtr<IAccessible> object;
  platform::UniqueVariant child;
  explicit operator bool() const { return object != nullptr; }
};

class AccessibilitySource {
 public:
  virtual ~AccessibilitySource() = default;
  // The object at a screen point; empty when there is none.
  virtual AccessibleRef ObjectAtPoint(int x, int y) const = 0;
  // The client object of a window (OBJID_CLIENT), child CHILDID_SELF; empty when there is none.
  virtual AccessibleRef ObjectOfWindow(HWND window) const = 0;
  // The window at a screen point (tree views are walked differently; password edits are never read).
  virtual HWND WindowAtPoint(int x, int y) const = 0;
};

// oleacc: AccessibleObjectFromPoint, AccessibleObjectFromWindow, WindowFromPoint.
const AccessibilitySource& SystemAccessibility();

}  // namespace glimmet::reports
