#pragma once
// The texts of the accessibility report: role names, state words, the lines of the ancestor and
// child lists and the report itself, built from what the accessibility objects answered.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glimmet {

struct ScreenBox {
  int left = 0, top = 0, width = 0, height = 0;
};

// The standard name of role number 1 to 63 (given as decimal text) without its prefix; empty for
// anything else, a role given as text included.
std::wstring RoleName(std::wstring_view roleNumberText);

// The words of the set state bits in the report's fixed order, comma separated.
std::wstring StateFlagsText(std::uint32_t state);

// A name longer than 50 characters: its first 50 and seven full stops.
std::wstring TruncatedName(std::wstring_view name);

// One object of the ancestor or child list.
struct ListedObject {
  std::wstring name;
  std::wstring role;  // as the object gave it: a number as decimal text, or a text
  ScreenBox box;
  long childCount = 0;
  std::wstring typeName;  // a child that is no accessible object: its type name, all else empty
};

std::wstring AncestorLine(const ListedObject& object);
// Full form for the report (quoted name, role, box, child count when it has children); the short
// form only the name. Both end with CR LF.
std::wstring ChildLine(const ListedObject& object, bool fullForm);
// Ends a child list that reached its maximum.
inline constexpr std::wstring_view kListCutMark = L"\r\n-- \u4EE5\u4E0B\u7701\u7565 --\r\n";

struct AccessibilityRecord {
  std::wstring name, value, role, shortcut, defaultAction, description, childCountText;
  std::uint32_t stateBits = 0;
  ScreenBox location;
  long long id = 0;
  std::wstring objectType;
};

struct AccessibilityReportParts {
  // When the report was asked for a window: its handle in decimal, class and title.
  struct Window {
    std::wstring handleText, className, title;
  };
  std::optional<Window> window;
  AccessibilityRecord record;
  int maxCount = 0;             // "parent & children max"
  std::wstring ancestorLines;   // outermost first, each line ending with CR LF
  std::wstring childLines;      // empty unless "parent & children" is 1
};

std::wstring FormatAccessibilityReport(const AccessibilityReportParts& parts);

}  // namespace glimmet
