#pragma once
// Wide text to code page 932 bytes for the list text file. The C++ library has no "japanese"
// locale here, so the conversion is explicit: exactly the bytes code page 932 gives, with every
// character it cannot hold (an emoji, a Korean name) written as one "?" instead of cutting the
// file short.

#include <string>
#include <string_view>

namespace zentrel::platform {

struct CodePage932Text {
  std::string bytes;
  bool replaced = false;  // some character became "?"
};

CodePage932Text EncodeCodePage932(std::wstring_view text);

}  // namespace zentrel::platform
