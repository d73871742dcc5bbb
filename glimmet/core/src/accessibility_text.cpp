#include "glimmet/core/accessibility_text.h"

#include <cwchar>

namespace glimmet {
namespace {

constexpr std::wstring_view kRoleNames[] = {
    L"TITLEBAR", L"MENUBAR", L"SCROLLBAR", L"GRIP", L"SOUND", L"CURSOR", L"CARET", L"ALERT", L"WINDOW",
    L"CLIENT", L"MENUPOPUP", L"MENUITEM", L"TOOLTIP", L"APPLICATION", L"DOCUMENT", L"PANE", L"CHART",
    L"DIALOG", L"BORDER", L"GROUPING", L"SEPARATOR", L"TOOLBAR", L"STATUSBAR", L"TABLE", L"COLUMNHEADER",
    L"ROWHEADER", L"COLUMN", L"ROW", L"CELL", L"LINK", L"HELPBALLOON", L"CHARACTER", L"LIST", L"LISTITEM",
    L"OUTLINE", L"OUTLINEITEM", L"PAGETAB", L"PROPERTYPAGE", L"INDICATOR", L"GRAPHIC", L"STATICTEXT",
    L"TEXT", L"PUSHBUTTON", L"CHECKBUTTON", L"RADIOBUTTON", L"COMBOBOX", L"DROPLIST", L"PROGRESSBAR",
    L"DIAL", L"HOTKEYFIELD", L"SLIDER", L"SPINBUTTON", L"DIAGRAM", L"ANIMATION", L"EQUATION",
    L"BUTTONDROPDOWN", L"BUTTONMENU", L"BUTTONDROPDOWNGRID", L"WHITESPACE", L"PAGETABLIST", L"CLOCK",
    L"SPLITBUTTON", L"IPADDRESS",
};

struct StateWord {
  std::uint32_t bit;
  std::wstring_view word;
};

// The order of the report, not of the bits.
constexpr StateWord kStateWords[] = {
    {0x1, L"UNAVAILABLE"},     {0x10, L"CHECKED"},      {0x8, L"PRESSED"},        {0x2, L"SELECTED"},
    {0x40, L"READONLY"},       {0x200, L"EXPANDED"},    {0x1000, L"FLOATING"},    {0x4, L"FOCUSED"},
    {0x100000, L"FOCUSABLE"},  {0x20000, L"SIZEABLE"},  {0x200000, L"SELECTABLE"}, {0x1000000, L"EXTSELECTABLE"},
    {0x2000000, L"EXTSELECTABLE"}, {0x40000, L"MOVEABLE"}, {0x400000, L"LINKED"},
};

constexpr std::size_t kNameLimit = 50;

std::wstring BoxText(const ScreenBox& box) {
  return L"(" + std::to_wstring(box.left) + L"," + std::to_wstring(box.top) + L"," +
         std::to_wstring(box.left + box.width) + L"," + std::to_wstring(box.top + box.height) + L")";
}

std::wstring RoleAndName(const ListedObject& object) { return object.role + L":" + RoleName(object.role); }

std::wstring Hex(std::uint32_t value) {
  wchar_t buffer[16];
  std::swprintf(buffer, 16, L"%X", static_cast<unsigned>(value));
  return buffer;
}

}  // namespace

std::wstring RoleName(std::wstring_view roleNumberText) {
  for (std::size_t n = 1; n <= std::size(kRoleNames); ++n) {
    if (roleNumberText == std::to_wstring(n)) return std::wstring(kRoleNames[n - 1]);
  }
  return {};
}

std::wstring StateFlagsText(std::uint32_t state) {
  std::wstring text;
  for (const StateWord& entry : kStateWords) {
    if (state & entry.bit) {
      text += entry.word;
      text += L',';
    }
  }
  if (!text.empty()) text.pop_back();
  return text;
}

std::wstring TruncatedName(std::wstring_view name) {
  if (name.size() <= kNameLimit) return std::wstring(name);
  return std::wstring(name.substr(0, kNameLimit)) + L".......";
}

std::wstring AncestorLine(const ListedObject& object) {
  return L" \"" + TruncatedName(object.name) + L"\" " + RoleAndName(object) + L" " + BoxText(object.box) +
         L" ChildCount=" + std::to_wstring(object.childCount) + L"\r\n";
}

std::wstring ChildLine(const ListedObject& object, bool fullForm) {
  if (!fullForm) return L" " + TruncatedName(object.name) + L"\r\n";
  if (!object.typeName.empty()) return L" TypeName=" + object.typeName + L"\r\n";
  std::wstring line = L" \"" + TruncatedName(object.name) + L"\" " + RoleAndName(object) + L" " + BoxText(object.box);
  if (object.childCount > 0) line += L" ChildCount=" + std::to_wstring(object.childCount);
  return line + L"\r\n";
}

std::wstring FormatAccessibilityReport(const AccessibilityReportParts& parts) {
  const AccessibilityRecord& r = parts.record;
  std::wstring text = L"MSAA(MS Active Accessibility) info.\r\n";
  if (parts.window) {
    text += L"\u3000--Get from window handle(" + parts.window->handleText + L")\r\n";
    text += L"\u3000\u3000" + parts.window->className + L" \"" + parts.window->title + L"\"\r\n";
  }
  text += std::wstring(39, L'-') + L"\r\n";
  if (!r.role.empty()) {
    text += L"Name       : " + r.name + L"\r\n";
    text += L"Value      : " + r.value + L"\r\n";
    text += L"Role       : " + r.role + L" " + RoleName(r.role) + L"\r\n";
    text += L"State      : x" + Hex(r.stateBits) + L" " + StateFlagsText(r.stateBits) + L"\r\n";
    text += L"KbShortCut : " + r.shortcut + L"\r\n";
    text += L"Location   : (l:" + std::to_wstring(r.location.left) + L",t:" + std::to_wstring(r.location.top) +
            L",r:" + std::to_wstring(r.location.left + r.location.width) +
            L",b:" + std::to_wstring(r.location.top + r.location.height) + L")\r\n";
    text += L"ChildCount : " + r.childCountText + L"\r\n";
    text += L"DefAction  : " + r.defaultAction + L"\r\n";
    text += L"Description: " + r.description + L"\r\n\r\n";
    text += L"Id         : " + std::to_wstring(r.id) + L"\r\n";
    text += L"Object Type: " + r.objectType + L"\r\n\r\n";
  } else {
    text += L"\r\n %% Not MSAA %%\r\n\r\n";
  }
  if (parts.maxCount < 1) {
    text += L"Parents    : max get count = 0\r\n\r\n";
  } else if (!parts.ancestorLines.empty()) {
    text += L"Ancestors  : top \u2192 bottom\r\n" + parts.ancestorLines + L"\r\n";
  } else {
    text += L"Ancestors  : GetParentObject failed\r\n\r\n";
  }
  if (r.role.empty()) return text;
  if (parts.maxCount >= 1) {
    text += L"Children   : " + r.childCountText + L" max=" + std::to_wstring(parts.maxCount) + L"\r\n" +
            parts.childLines + L"\r\n";
  } else {
    text += L"Children \u3000: max get count = 0";
  }
  return text;
}

}  // namespace glimmet
