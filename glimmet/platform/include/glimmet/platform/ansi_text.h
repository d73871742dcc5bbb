#pragma once
// Text in the system's ANSI code page, which Conf.txt and the over-limit files are written in.

#include <string>
#include <string_view>

namespace glimmet::platform {

struct AnsiText {
  std::string bytes;
  bool complete = true;  // false when some character has no form in the code page
};

AnsiText ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// Length of `text` in bytes in the ANSI code page.
long long AnsiLength(std::wstring_view text);

}  // namespace glimmet::platform
