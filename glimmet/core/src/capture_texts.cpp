#include "glimmet/core/capture_texts.h"

#include <cwchar>
#include <cwctype>

namespace glimmet {
namespace {

// The decimal number a text begins with (0 when it begins with none).
double LeadingNumber(const std::wstring& text) {
  const wchar_t* start = text.c_str();
  while (*start == L' ') ++start;
  if (!(std::iswdigit(*start) || *start == L'-' || *start == L'+' || *start == L'.')) return 0;
  return std::wcstod(start, nullptr);
}

}  // namespace

int UpperSlot(int detail) { return 2 - detail; }

int LowerSlot(int detail, int dispText, const std::wstring& htmlMode) {
  if (LeadingNumber(htmlMode) == 1) return (1 - detail) * dispText + 2 - detail;
  return 2 - detail;
}

}  // namespace glimmet
