#include "zentrel/platform/code_page_932_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace zentrel::platform {
namespace {

constexpr UINT kCodePage932 = 932;

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The bytes of text when code page 932 holds every character exactly: no default character used,
// and the bytes decode back to the same text (which also catches a best-fit substitute, such as
// U+00A5 becoming a backslash, on a system that does not honour WC_NO_BEST_FIT_CHARS).
bool EncodeExactly(std::wstring_view text, std::string& bytes) {
  bytes.clear();
  if (text.empty()) return true;
  if (text.size() > INT_MAX / 2) return false;
  const int size = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0,
                                         "?", &usedDefault);
  if (length <= 0 || usedDefault) return false;
  bytes.resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length, "?",
                      &usedDefault);
  const int backLength = MultiByteToWideChar(kCodePage932, 0, bytes.data(), length, nullptr, 0);
  if (usedDefault || backLength != size) return false;
  std::wstring back(static_cast<std::size_t>(backLength), L'\0');
  MultiByteToWideChar(kCodePage932, 0, bytes.data(), length, back.data(), backLength);
  return back == text;
}

// Character by character (a surrogate pair is one character): only the characters that do not fit
// become "?", the rest keeps its exact bytes.
void EncodeEachCharacter(std::wstring_view text, CodePage932Text& result) {
  std::string piece;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t width = 1;
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) width = 2;
    if (EncodeExactly(text.substr(i, width), piece)) {
      result.bytes += piece;
    } else {
      result.bytes += '?';
      result.replaced = true;
    }
    i += width;
  }
}

}  // namespace

CodePage932Text EncodeCodePage932(std::wstring_view text) {
  CodePage932Text result;
  if (EncodeExactly(text, result.bytes)) return result;

  // Some character does not fit. Line by line, so only the lines that hold one take the slow road.
  result.bytes.clear();
  std::string line;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(L'\n', start), text.size() - 1) + 1;
    const std::wstring_view part = text.substr(start, end - start);
    if (EncodeExactly(part, line)) {
      result.bytes += line;
    } else {
      EncodeEachCharacter(part, result);
    }
    start = end;
  }
  return result;
}

}  // namespace zentrel::platform
