#pragma once
// Which texts an XML file can carry at all, and which key names the store accepts. Plain text
// rules, free of windows.h.

#include <string_view>

namespace zentrel {

// XML 1.0 allows tab, line feed, carriage return and everything from U+0020 except the surrogate
// block and U+FFFE/U+FFFF; characters beyond U+FFFF must arrive as proper surrogate pairs. Text
// that breaks this would be written into a file that can never be loaded again.
constexpr bool IsXmlText(std::wstring_view text) noexcept {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned unit = static_cast<unsigned>(text[i]);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 == text.size()) return false;
      const unsigned next = static_cast<unsigned>(text[i + 1]);
      if (next < 0xDC00 || next > 0xDFFF) return false;
      ++i;
      continue;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
    if (unit < 0x20 && unit != 0x09 && unit != 0x0A && unit != 0x0D) return false;
    if (unit == 0xFFFE || unit == 0xFFFF) return false;
  }
  return true;
}

// Keys become element names and are pasted into XPath expressions, so only plain ASCII names are
// taken: a letter or underscore, then letters, digits, '_', '-' or '.'. Anything else could select
// or create something other than the one key element.
constexpr bool IsPlainKey(std::wstring_view key) noexcept {
  if (key.empty()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    const wchar_t c = key[i];
    const bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_';
    const bool other = (c >= L'0' && c <= L'9') || c == L'-' || c == L'.';
    if (!letter && (i == 0 || !other)) return false;
  }
  return true;
}

}  // namespace zentrel
