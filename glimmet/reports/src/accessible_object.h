#pragma once
// Thin typed reads of one IAccessible property each; a failed read gives an empty text or 0, as
// the readers and the report expect.

#include <string>

#include "glimmet/core/accessibility_text.h"
#include "glimmet/reports/accessibility_source.h"

namespace glimmet::reports::acc {

std::wstring Name(IAccessible* object, const VARIANT& child);
std::wstring Value(IAccessible* object, const VARIANT& child);
// A role number as decimal text, a role given as text as that text, empty when unreadable.
std::wstring Role(IAccessible* object, const VARIANT& child);
std::uint32_t State(IAccessible* object, const VARIANT& child);
std::wstring Shortcut(IAccessible* object, const VARIANT& child);
std::wstring DefaultAction(IAccessible* object, const VARIANT& child);
std::wstring Description(IAccessible* object, const VARIANT& child);
ScreenBox Location(IAccessible* object, const VARIANT& child);
long ChildCount(IAccessible* object);
Microsoft::WRL::ComPtr<IAccessible> Parent(IAccessible* object);

// The element reached from (object, child) in a direction; empty when none.
AccessibleRef Navigate(IAccessible* object, const VARIANT& child, long direction);
// A child given as a VARIANT (a number of `container` or an object) as a reference.
AccessibleRef AsRef(IAccessible* container, const VARIANT& child);

// "Container", "Real Object", "Simple Element" or empty.
std::wstring ObjectType(const AccessibleRef& ref);
// The number of a numeric child id (CHILDID_SELF included), -1 for an object or nothing.
long ChildNumber(const VARIANT& child);
// The leading decimal number of a text, 0 when it has none (tree items give their level there).
long LeadingNumber(const std::wstring& text);

}  // namespace glimmet::reports::acc
