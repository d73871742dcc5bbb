#include "text_utf8.h"

#include <cstdint>

namespace zentrel::cli {

namespace {

constexpr char32_t kEscapeBase = 0xDC00;  // + one undecodable byte (0x80..0xFF): U+DC80..U+DCFF
constexpr char32_t kReplacement = 0xFFFD;
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

void AppendCodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendWide(std::wstring& out, char32_t c) {
  if (kWideIsUtf16 && c >= 0x10000) {
    c -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (c >> 10));
    out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
  } else {
    out += static_cast<wchar_t>(c);
  }
}

// The length of the valid UTF-8 sequence at s[i] and its code point; 0 when it is not valid.
std::size_t DecodeAt(std::string_view s, std::size_t i, char32_t& c) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
  const std::uint8_t b0 = byte(i);
  if (b0 < 0x80) {
    c = b0;
    return 1;
  }
  std::size_t length;
  char32_t minimum;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, minimum = 0x80, c = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, minimum = 0x800, c = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, minimum = 0x10000, c = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const std::uint8_t b = byte(i + k);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeAt(bytes, i, c);
    if (length == 0) {
      const char32_t raw = static_cast<std::uint8_t>(bytes[i]);
      AppendWide(out, kWideIsUtf16 ? kReplacement : kEscapeBase + raw);
      ++i;
    } else {
      AppendWide(out, c);
      i += length;
    }
  }
  return out;
}

void AppendUtf8(std::string& out, std::wstring_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Paths and encoding names are mostly ASCII: a run of it is appended in one go.
    std::size_t ascii = i;
    while (ascii < text.size() && static_cast<char32_t>(text[ascii]) < 0x80) ++ascii;
    if (ascii != i) {
      const std::size_t at = out.size();
      out.resize(at + (ascii - i));
      for (std::size_t k = i; k < ascii; ++k) out[at + (k - i)] = static_cast<char>(text[k]);
      i = ascii - 1;
      continue;
    }
    char32_t c = static_cast<char32_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDFFF) {
      if (kWideIsUtf16 && c <= 0xDBFF && i + 1 < text.size() &&
          static_cast<char32_t>(text[i + 1]) >= 0xDC00 &&
          static_cast<char32_t>(text[i + 1]) <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
        ++i;
      } else if (!kWideIsUtf16 && c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
        out += static_cast<char>(c - kEscapeBase);
        continue;
      } else {
        c = kReplacement;
      }
    } else if (c > 0x10FFFF) {
      c = kReplacement;
    }
    AppendCodePoint(out, c);
  }
}

void AppendEscapedUtf8(std::string& out, std::wstring_view text, wchar_t separator) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto hex = [&](unsigned byte) {
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
  };
  std::size_t plain = 0;  // start of the run not yet appended
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<char32_t>(text[i]);
    const bool control = c < 0x20 || c == 0x7F;
    const bool rawByte = !kWideIsUtf16 && c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
    const bool backslash = c == U'\\' && separator != L'\\';
    if (!control && !rawByte && !backslash) continue;
    AppendUtf8(out, text.substr(plain, i - plain));
    plain = i + 1;
    if (c == U'\t') {
      out += "\\t";
    } else if (c == U'\n') {
      out += "\\n";
    } else if (c == U'\r') {
      out += "\\r";
    } else if (backslash) {
      out += "\\\\";
    } else {
      hex(static_cast<unsigned>(rawByte ? c - kEscapeBase : c));
    }
  }
  AppendUtf8(out, text.substr(plain));
}

std::string EscapedUtf8(std::wstring_view text, wchar_t separator) {
  std::string out;
  out.reserve(text.size());
  AppendEscapedUtf8(out, text, separator);
  return out;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  AppendUtf8(out, text);
  return out;
}

}  // namespace zentrel::cli
