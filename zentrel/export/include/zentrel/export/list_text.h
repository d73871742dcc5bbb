#pragma once
// The lines of the list text file: three cells joined by the delimiter, no quoting or escaping of
// any kind (a delimiter inside a path is written as it is), each line ended with CR LF, the last
// one included. Encoding the text for the file is the platform's business.

#include <array>
#include <string>
#include <string_view>

namespace zentrel {

// The cells of one result row: full path, encoding text, line-ending text.
using ListRowCells = std::array<std::wstring, 3>;

inline constexpr std::wstring_view kListLineEnd = L"\r\n";

// "delimtype" 0 gives a tab; any other value gives the whole "delimchar" text, which may be longer
// than one character or empty.
std::wstring ListDelimiter(int delimType, std::wstring_view delimChar);

// Appends one line (cells, delimiters, CR LF) to text.
void AppendListLine(std::wstring& text, const ListRowCells& cells, std::wstring_view delimiter);

}  // namespace zentrel
