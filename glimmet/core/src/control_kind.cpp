#include "glimmet/core/control_kind.h"

#include <algorithm>
#include <iterator>

namespace glimmet {
namespace {

struct KindRow {
  std::wstring_view part;
  ControlKind kind;
};

constexpr KindRow kKindTable[] = {
    {L"Edit", ControlKind::Edit},
    {L"ListBox", ControlKind::ListBox},
    {L"ComboBox", ControlKind::ComboBox},
    {L"ComboLBox", ControlKind::ComboLBox},
    {L"ListView", ControlKind::ListView},
    {L"TreeView", ControlKind::TreeView},
    {L"Toolbar", ControlKind::ToolBar},
    {L"TabControl", ControlKind::TabControl},
    {L"tooltips_class32", ControlKind::ToolTips},
    {L"Internet Explorer", ControlKind::Ie},
    {L"Silverlight", ControlKind::Ie},
    {L"IEFrame", ControlKind::IeFrame},
    {L"#32770", ControlKind::Child},
};

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

bool ContainsIgnoringCase(std::wstring_view text, std::wstring_view part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     [](wchar_t a, wchar_t b) { return Lower(a) == Lower(b); }) != text.end() ||
         part.empty();
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) { return Lower(x) == Lower(y); });
}

ControlKind ClassifyWindowClass(std::wstring_view className) {
  for (const KindRow& row : kKindTable) {
    if (ContainsIgnoringCase(className, row.part)) return row.kind;
  }
  return ControlKind::Other;
}

}  // namespace glimmet
