#pragma once
// Exact conversions between UTF-16 and a Windows code page: no best-fit substitutes, no silent
// replacement characters. A conversion that would change the text is refused instead.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zentrel {

inline constexpr UINT kShiftJisCodePage = 932;

// The bytes of text in the code page, or nothing when some character has no exact form there
// (the code page's best-fit mapping would otherwise turn U+00A5 into a backslash, say).
std::optional<std::string> EncodeExactly(UINT codePage, std::wstring_view text);

// The text of bytes in the code page, or nothing when they are not valid in it.
std::optional<std::wstring> DecodeStrictly(UINT codePage, std::string_view bytes);

}  // namespace zentrel
