#pragma once
// UTF-8 for the command-line tool's output and, on Linux, for file names.
//
// Linux file names are bytes. Utf8ToWide maps each byte that is not part of valid UTF-8 to the lone
// surrogate U+DC80 + byte, and WideToUtf8 maps those back, so every name survives the round trip to
// wide text and back to the file system. Elsewhere a lone surrogate becomes U+FFFD.

#include <string>
#include <string_view>

namespace zentrel::cli {

std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);
// Appends instead of returning, so a line buffer can be reused.
void AppendUtf8(std::string& out, std::wstring_view text);

// A path or name as one field of a line: control characters as \t, \n, \r or \xHH, a name byte that
// is not UTF-8 as \xHH, and (where "\" is no separator, so a name may hold one) "\" as "\\". TAB
// and LF then only ever separate fields and lines, and every field reads back to its exact bytes.
void AppendEscapedUtf8(std::string& out, std::wstring_view text, wchar_t separator);
std::string EscapedUtf8(std::wstring_view text, wchar_t separator);

}  // namespace zentrel::cli
