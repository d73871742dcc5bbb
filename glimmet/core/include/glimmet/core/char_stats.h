#pragma once
// The character statistics a text box shows as its tool tip.

#include <string>
#include <string_view>

namespace glimmet {

struct CharStats {
  long long chars = 0;            // a CR LF pair counts as one character
  long long bytes = 0;            // length in the ANSI code page
  long long fullWidth = 0;        // characters taking two bytes in that code page
  long long fullWidthBlanks = 0;  // U+3000
  long long halfWidth = 0;
  long long halfWidthBlanks = 0;
  long long lineBreaks = 0;       // CR LF pairs
  long long tabs = 0;
};

// `ansiBytes` is the text's length in the ANSI code page, which only the platform knows.
CharStats CountCharStats(std::wstring_view text, long long ansiBytes);

// "字数:C(..) 改行:B Ybyte  全角:F(..) 半角:H(..) 全SP:.. 半SP:.. タブ:T"
std::wstring CharStatsTip(const CharStats& stats);

}  // namespace glimmet
