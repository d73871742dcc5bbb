#include "glimmet/core/box_text.h"

#include <cwchar>

namespace glimmet {
namespace {

constexpr std::wstring_view kRule = L"--------------------------------";

std::wstring RightAligned(int value, std::size_t width) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < width) text.insert(0, width - text.size(), L' ');
  return text;
}

}  // namespace

bool IsOverBoxLimit(std::wstring_view text) { return text.size() >= kBoxTextLimit; }

std::wstring CutBoxText(std::wstring_view text, const std::optional<std::wstring>& savedFileName) {
  std::wstring shown(text.substr(0, kBoxTextKept));
  shown += L"\r\n\r\n";
  shown += kRule;
  shown += L"\r\n\u6587\u5b57\u6570\u30aa\u30fc\u30d0\u30fc\u300065000\u6587\u5b57\u8fc4";
  if (savedFileName) {
    shown += L"\r\n\u30c7\u30b9\u30af\u30c8\u30c3\u30d7\u306e\u300c" + *savedFileName +
             L"\u300d\u306b\r\n\u4fdd\u5b58\u3057\u307e\u3057\u305f\uff01";
  }
  shown += L"\r\n";
  shown += kRule;
  return shown;
}

std::wstring HandleText(std::uint64_t handle, bool hex) {
  if (!hex) return std::to_wstring(handle);
  wchar_t buffer[24];
  std::swprintf(buffer, 24, L"%llX", static_cast<unsigned long long>(handle));
  return buffer;
}

std::wstring PointerPositionText(int x, int y) { return RightAligned(x, 4) + L"-" + RightAligned(y, 3); }

std::wstring UnifyLineBreaks(std::wstring_view text) {
  std::wstring unified;
  unified.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) unified += L'\r';
    unified += text[i];
  }
  return unified;
}

}  // namespace glimmet
