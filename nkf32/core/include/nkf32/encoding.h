#pragma once
// The encodings the core tells apart, and the names users see for them.

#include <cstdint>
#include <string_view>

namespace nkf {

enum class Encoding : std::uint8_t {
  Ascii,
  ShiftJis,   // JIS X 0208 in Shift_JIS form
  Cp932,      // Shift_JIS with the NEC / IBM extension characters (Windows code page 932)
  EucJp,
  Iso2022Jp,
  Utf8,
  Utf16LE,
  Utf16BE,
  Utf32LE,
  Utf32BE,
  Binary,
};

// The name shown in Zentrel's list and returned by GetNkfGuessW: "ASCII", "Shift_JIS", "CP932",
// "EUC-JP", "ISO-2022-JP", "UTF-8", "UTF-16" (either byte order), "UTF-32", "BINARY".
std::string_view EncodingName(Encoding encoding);

}  // namespace nkf
