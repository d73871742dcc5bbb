#include "glimmet/core/page_texts.h"

#include <algorithm>

#include "glimmet/core/control_kind.h"

namespace glimmet {
namespace {

constexpr std::wstring_view kTableHeading =
    L"Tag     Type        Id          Text\r\n"
    L"------------------------------------------\r\n";

// The value padded to `width`; a value that fills the width or more is followed by one blank, so
// the columns never run together.
void AppendColumn(std::wstring& row, std::wstring_view value, std::size_t width) {
  row += value;
  row.append(value.size() < width ? width - value.size() : 1, L' ');
}

}  // namespace

std::wstring ElementRowText(std::wstring_view innerText, int limit) {
  std::wstring text;
  text.reserve(innerText.size());
  for (std::size_t i = 0; i < innerText.size(); ++i) {
    if (innerText[i] == L'\r' && i + 1 < innerText.size() && innerText[i + 1] == L'\n') {
      ++i;
      continue;
    }
    text += innerText[i];
  }
  const std::size_t kept = static_cast<std::size_t>(std::max(limit, 0));
  if (text.size() > kept + 2) text = text.substr(0, kept) + L"...";
  return text;
}

std::wstring FormatElementTable(const std::vector<ElementFacts>& outermostFirst, int textLimit) {
  std::wstring table(kTableHeading);
  for (const ElementFacts& element : outermostFirst) {
    AppendColumn(table, UpperTag(element.tag), 8);
    AppendColumn(table, element.type, 12);
    AppendColumn(table, element.idOrName, 12);
    table += ElementRowText(element.text, textLimit);
    table += L"\r\n";
  }
  return table;
}

std::wstring UpperTag(std::wstring_view tag) {
  std::wstring upper(tag);
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper;
}

bool IsFrameTag(std::wstring_view tag) {
  const std::wstring upper = UpperTag(tag);
  return upper == L"FRAME" || upper == L"IFRAME";
}

std::wstring PageTagLine(std::wstring_view tag, std::wstring_view idOrName) {
  return UpperTag(tag) + L"\u3000" + std::wstring(idOrName);
}

DocumentWindowRule DocumentWindowOf(std::wstring_view className) {
  if (ContainsIgnoringCase(className, L"Server") || ContainsIgnoringCase(className, L"Silverlight"))
    return DocumentWindowRule::Self;
  if (ContainsIgnoringCase(className, L"CmboBx") || ContainsIgnoringCase(className, L"LstBox"))
    return DocumentWindowRule::Parent;
  return DocumentWindowRule::None;
}

}  // namespace glimmet
