#include "nkf32/encoding.h"

namespace nkf {

std::string_view EncodingName(Encoding encoding) {
  switch (encoding) {
    case Encoding::Ascii: return "ASCII";
    case Encoding::ShiftJis: return "Shift_JIS";
    case Encoding::Cp932: return "CP932";
    case Encoding::EucJp: return "EUC-JP";
    case Encoding::Iso2022Jp: return "ISO-2022-JP";
    case Encoding::Utf8: return "UTF-8";
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: return "UTF-16";
    case Encoding::Utf32LE:
    case Encoding::Utf32BE: return "UTF-32";
    case Encoding::Binary: return "BINARY";
  }
  return "BINARY";
}

}  // namespace nkf
