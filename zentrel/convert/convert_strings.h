#pragma once
// The conversion's user-visible Japanese texts, as UTF-16 escapes so the sources stay ASCII.

namespace zentrel::convert_text {

// "\n\nThe file is hidden.\nConvert it anyway?" after the path.
inline constexpr const wchar_t* kHiddenQuestion =
    L"\n\n\u5BFE\u8C61\u306E\u30D5\u30A1\u30A4\u30EB\u306F\u96A0\u3057\u30D5\u30A1\u30A4\u30EB\u5C5E\u6027\u3067\u3059\u3002\n\u5F37\u5236\u7684\u306B\u5909\u63DB\u3057\u307E\u3059\u304B\uFF1F";
// "\n\nThe file is read-only.\nConvert it anyway?" after the path.
inline constexpr const wchar_t* kReadOnlyQuestion =
    L"\n\n\u5BFE\u8C61\u306E\u30D5\u30A1\u30A4\u30EB\u306F\u8AAD\u307F\u53D6\u308A\u5C02\u7528\u5C5E\u6027\u3067\u3059\u3002\n\u5F37\u5236\u7684\u306B\u5909\u63DB\u3057\u307E\u3059\u304B\uFF1F";
// The closing status row and its outcome: "re-check", "done"; the file label at the end: "finished".
inline constexpr const wchar_t* kRecheckRow = L"\u518D\u30C1\u30A7\u30C3\u30AF";
inline constexpr const wchar_t* kRecheckDone = L"\u5B8C\u4E86";
inline constexpr const wchar_t* kJobFinished = L"\u5B8C\u4E86\u3057\u307E\u3057\u305F";
// Status list headers: "file name", "result".
inline constexpr const wchar_t* kStatusHeaderFile = L"\u30D5\u30A1\u30A4\u30EB\u540D";
inline constexpr const wchar_t* kStatusHeaderResult = L"\u7D50\u679C";

}  // namespace zentrel::convert_text
