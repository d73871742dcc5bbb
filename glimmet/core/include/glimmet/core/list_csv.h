#pragma once
// The list-view text (TAB between cells, CR LF after rows) as comma-separated values.

#include <string>
#include <string_view>

namespace glimmet {

// Every line, the empty one after a final CR LF included, becomes a CSV record followed by CR LF.
// A field with a comma, double quote, CR or LF is quoted, its quotes doubled.
std::wstring ListViewToCsv(std::wstring_view text);

}  // namespace glimmet
