#pragma once
// The engine's user-visible Japanese texts, as UTF-16 escapes so the sources stay ASCII.

namespace zentrel::engine_text {

// "Could not read the file", directly followed by its path.
inline constexpr const wchar_t* kReadFailed = L"\u30D5\u30A1\u30A4\u30EB\u306E\u8AAD\u307F\u8FBC\u307F\u306B\u5931\u6557\u3057\u307E\u3057\u305F";
// "The file is too large to examine whole; set a byte count in the settings", then a line break
// and the path.
inline constexpr const wchar_t* kTooLarge = L"\u30D5\u30A1\u30A4\u30EB\u304C\u5927\u304D\u3059\u304E\u308B\u305F\u3081\u5168\u4F53\u3092\u8ABF\u3079\u3089\u308C\u307E\u305B\u3093\u3002\u8A2D\u5B9A\u3067\u4F7F\u7528\u3059\u308B\u30D0\u30A4\u30C8\u6570\u3092\u6307\u5B9A\u3057\u3066\u304F\u3060\u3055\u3044\u3002\n";

}  // namespace zentrel::engine_text
