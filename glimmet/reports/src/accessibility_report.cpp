#include "accessible_object.h"
#include "glimmet/core/box_text.h"
#include "glimmet/platform/window_text.h"
#include "glimmet/reports/accessibility_reader.h"

namespace glimmet::reports {
namespace {

VARIANT Self() {
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

std::wstring ChildCountText(const AccessibleRef& ref) {
  const VARIANT& child = ref.child.Get();
  if (child.vt == VT_DISPATCH) {
    AccessibleRef inner = acc::AsRef(ref.object.Get(), child);
    return std::to_wstring(inner ? acc::ChildCount(inner.object.Get()) : 0);
  }
  if (acc::ChildNumber(child) == CHILDID_SELF) return std::to_wstring(acc::ChildCount(ref.object.Get()));
  return L"0";
}

}  // namespace

// Outermost first; at most "parent & children max" + 1 ancestors.
std::wstring AccessibilityReader::AncestorLines(const AccessibleRef& ref) const {
  Microsoft::WRL::ComPtr<IAccessible> object =
      acc::ChildNumber(ref.child.Get()) == CHILDID_SELF ? acc::Parent(ref.object.Get()) : ref.object;
  std::wstring lines;
  for (int counter = 0; object && counter <= settings_.parentAndChildrenMax; ++counter) {
    const VARIANT self = Self();
    const ListedObject listed{acc::Name(object.Get(), self), acc::Role(object.Get(), self),
                              acc::Location(object.Get(), self), acc::ChildCount(object.Get()), L""};
    lines.insert(0, AncestorLine(listed));
    object = acc::Parent(object.Get());
  }
  return lines;
}

std::wstring AccessibilityReader::BuildReport(HWND window) const {
  AccessibleRef ref = window ? source_.ObjectOfWindow(window) : source_.ObjectAtPoint(settings_.pointX, settings_.pointY);
  if (!ref) return {};
  IAccessible* object = ref.object.Get();
  const VARIANT& child = ref.child.Get();

  AccessibilityReportParts parts;
  if (window) {
    parts.window = AccessibilityReportParts::Window{
        HandleText(reinterpret_cast<std::uintptr_t>(window), false), platform::ClassNameOf(window),
        platform::WindowTextOf(window)};
  }
  AccessibilityRecord& r = parts.record;
  r.location = acc::Location(object, child);
  r.name = acc::Name(object, child);
  r.value = acc::Value(object, child);
  r.role = acc::Role(object, child);
  r.stateBits = acc::State(object, child);
  r.shortcut = acc::Shortcut(object, Self());
  r.defaultAction = acc::DefaultAction(object, child);
  r.description = acc::Description(object, child);
  r.childCountText = ChildCountText(ref);
  r.id = acc::ChildNumber(child) > 0 ? acc::ChildNumber(child) : 0;
  r.objectType = acc::ObjectType(ref);
  parts.maxCount = settings_.parentAndChildrenMax;
  if (parts.maxCount >= 1) parts.ancestorLines = AncestorLines(ref);
  if (settings_.parentAndChildren == 1) parts.childLines = ChildrenList(ref, true);
  return FormatAccessibilityReport(parts);
}

}  // namespace glimmet::reports
