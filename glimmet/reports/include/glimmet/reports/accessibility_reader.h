#pragma once
// What the accessibility interface says about the object under the pointer or a window: short
// texts for the readers, the item list of trees, drop lists and other controls, and the report.
// Every failed call yields an empty text (or the list reader's error text) and never an error.

#include <windows.h>

#include <functional>
#include <string>

#include "glimmet/core/app_settings.h"
#include "glimmet/reports/accessibility_source.h"

namespace glimmet::reports {

using ProgressSink = std::function<void(const std::wstring&)>;

class AccessibilityReader {
 public:
  // Reads the capture point and the list settings from `settings` at every call.
  AccessibilityReader(const AccessibilitySource& source, const AppSettings& settings)
      : source_(source), settings_(settings) {}

  std::wstring NameAtPoint(int x, int y) const;
  std::wstring ValueAtPoint(int x, int y) const;
  // The name of the window's client object.
  std::wstring NameOfWindow(HWND window) const;
  // The item list; when it is empty, the names of the window's direct children, one a line.
  std::wstring TextOfWindow(HWND window, bool indent) const;

  // The items around the object at the capture point, one a line (with `indent`, a TAB per level
  // below the pointed item); `branchOnly` lists only the pointed item and those below it. The
  // progress sink (may be empty) gets the count as it grows. kAccessibleError when there is no
  // object at the point.
  std::wstring ReadList(bool indent, bool branchOnly, const ProgressSink& progress = {}) const;

  // The report of the object of `window`, or of the object at the capture point when it is null.
  std::wstring BuildReport(HWND window) const;

  // The names-only or full list of the children of a reference, cut after
  // "parent & children max" entries.
  std::wstring ChildrenList(const AccessibleRef& ref, bool fullForm) const;

 private:
  std::wstring AncestorLines(const AccessibleRef& ref) const;

  const AccessibilitySource& source_;
  const AppSettings& settings_;
};

}  // namespace glimmet::reports
