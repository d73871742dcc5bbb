#include "zentrel/settings/code_page_text.h"

#include <climits>

namespace zentrel {

namespace {

std::wstring Decode(UINT codePage, DWORD flags, std::string_view bytes, bool& ok) {
  ok = true;
  if (bytes.empty()) return {};
  if (bytes.size() > INT_MAX) {
    ok = false;
    return {};
  }
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) {
    ok = false;
    return {};
  }
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length);
  return text;
}

}  // namespace

std::optional<std::string> EncodeExactly(UINT codePage, std::wstring_view text) {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX / 4) return std::nullopt;
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  // The round trip is the test that works for every code page and does not depend on how far
  // a system honours WC_NO_BEST_FIT_CHARS.
  bool ok = false;
  const std::wstring back = Decode(codePage, 0, bytes, ok);
  if (!ok || back != text) return std::nullopt;
  return bytes;
}

std::optional<std::wstring> DecodeStrictly(UINT codePage, std::string_view bytes) {
  bool ok = false;
  std::wstring text = Decode(codePage, MB_ERR_INVALID_CHARS, bytes, ok);
  if (!ok) return std::nullopt;
  return text;
}

}  // namespace zentrel
