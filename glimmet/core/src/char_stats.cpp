#include "glimmet/core/char_stats.h"

namespace glimmet {
namespace {

// Occurrences of `needle`, scanning from the start and jumping past each match.
long long CountOf(std::wstring_view text, std::wstring_view needle) {
  long long count = 0;
  for (std::size_t at = text.find(needle); at != std::wstring_view::npos;
       at = text.find(needle, at + needle.size()))
    ++count;
  return count;
}

}  // namespace

CharStats CountCharStats(std::wstring_view text, long long ansiBytes) {
  CharStats s;
  s.lineBreaks = CountOf(text, L"\r\n");
  s.fullWidthBlanks = CountOf(text, L"\u3000");
  s.halfWidthBlanks = CountOf(text, L" ");
  s.tabs = CountOf(text, L"\t");
  s.chars = static_cast<long long>(text.size()) - s.lineBreaks;
  s.bytes = ansiBytes;
  s.fullWidth = s.bytes - s.chars - s.lineBreaks;
  s.halfWidth = s.chars - s.fullWidth - s.lineBreaks - s.tabs;
  return s;
}

std::wstring CharStatsTip(const CharStats& s) {
  auto n = [](long long value) { return std::to_wstring(value); };
  return L"\u5b57\u6570:" + n(s.chars) + L"(" +
         n(s.chars - s.fullWidthBlanks - s.halfWidthBlanks - s.lineBreaks - s.tabs) + L")" +
         L" \u6539\u884c:" + n(s.lineBreaks) +
         L" " + n(s.bytes) + L"byte " +
         L" \u5168\u89d2:" + n(s.fullWidth) + L"(" + n(s.fullWidth - s.fullWidthBlanks) + L")" +
         L" \u534a\u89d2:" + n(s.halfWidth) + L"(" + n(s.halfWidth - s.halfWidthBlanks) + L")" +
         L" \u5168SP:" + n(s.fullWidthBlanks) +
         L" \u534aSP:" + n(s.halfWidthBlanks) +
         L" \u30bf\u30d6:" + n(s.tabs);
}

}  // namespace glimmet
