#pragma once
// The engine's user-visible Japanese texts, as UTF-16 escapes so the sources stay ASCII.

namespace zentrel::engine_text {

// "Could not read the file", directly followed by its path.
inline constexpr const wchar_t* kReadFailed = L"\u30D5\u30A1\u30A4\u30EB\u306E\u8AAD\u307F\u8FBC\u307F\u306B\u5931\u6557\u3057\u307E\u3057\u305F";
// "The file is too large to examine whole; set a byte count in the settings", then a line break
// and the path.
inline constexpr const wchar_t* kTooLarge = L"\u30D5\u30A1\u30A4\u30EB\u304C\u5927\u304D\u3059\u304E\u308B\u305F\u3081\u5168\u4F53\u3092\u8ABF\u3079\u3089\u308C\u307E\u305B\u3093\u3002\u8A2D\u5B9A\u3067\u4F7F\u7528\u3059\u308B\u30D0\u30A4\u30C8\u6570\u3092\u6307\u5B9A\u3057\u3066\u304F\u3060\u3055\u3044\u3002\n";

// Each of these is followed by a line break and the path.
// "File or folder not found".
inline constexpr const wchar_t* kNotFound = L"\u30D5\u30A1\u30A4\u30EB\u307E\u305F\u306F\u30D5\u30A9\u30EB\u30C0\u304C\u898B\u3064\u304B\u308A\u307E\u305B\u3093\n";
// "The file or folder cannot be examined (access was denied)".
inline constexpr const wchar_t* kNoAccess = L"\u30D5\u30A1\u30A4\u30EB\u307E\u305F\u306F\u30D5\u30A9\u30EB\u30C0\u3092\u8ABF\u3079\u3089\u308C\u307E\u305B\u3093\uFF08\u30A2\u30AF\u30BB\u30B9\u304C\u62D2\u5426\u3055\u308C\u307E\u3057\u305F\uFF09\n";
// "The name is too long".
inline constexpr const wchar_t* kNameTooLong = L"\u540D\u524D\u304C\u9577\u3059\u304E\u307E\u3059\n";
// "Could not read the folder's contents".
inline constexpr const wchar_t* kCannotList = L"\u30D5\u30A9\u30EB\u30C0\u306E\u5185\u5BB9\u3092\u8AAD\u307F\u8FBC\u3081\u307E\u305B\u3093\u3067\u3057\u305F\n";
// "Not a regular file, so it was not examined".
inline constexpr const wchar_t* kNotRegular = L"\u901A\u5E38\u306E\u30D5\u30A1\u30A4\u30EB\u3067\u306F\u306A\u3044\u305F\u3081\u8ABF\u3079\u307E\u305B\u3093\u3067\u3057\u305F\n";

// "This ignore pattern cannot be used (back-references are not supported)", then the pattern.
inline constexpr const wchar_t* kRefusedEntry = L"\u3053\u306E\u9664\u5916\u30D1\u30BF\u30FC\u30F3\u306F\u4F7F\u3048\u307E\u305B\u3093\uFF08\u5F8C\u65B9\u53C2\u7167\u306F\u6271\u3048\u307E\u305B\u3093\uFF09\n";

}  // namespace zentrel::engine_text
