#pragma once
// Writing code points in one encoding. Each encoder writes through a raw pointer into space the caller
// reserved (kMaxBytesPerCodePoint per code point); Put returns false for a character the encoding
// cannot hold, writing nothing for it.

#include <cstddef>
#include <cstdint>

#include "code_tables.h"

namespace nkf::detail {

// Refuses to merge the two code points of a Shift_JIS / CP932 variant pair (the JIS wave dash and the
// Microsoft full-width tilde, say) into one code within one text: that would lose a distinction.
class VariantGuard {
 public:
  bool Accept(char32_t cp) {
    std::uint8_t v = VariantOf(cp);
    if (!v) return true;
    std::uint8_t bit = static_cast<std::uint8_t>(1u << (v & 0x0F));
    bool ms = v & 0x10;
    if ((ms ? jisSeen_ : msSeen_) & bit) return false;
    (ms ? msSeen_ : jisSeen_) |= bit;
    return true;
  }

 private:
  std::uint8_t jisSeen_ = 0;
  std::uint8_t msSeen_ = 0;
};

// The codes of the variant pairs: a cheap test before the guard's lookup.
inline bool IsSjisVariantCode(std::uint16_t code) {
  return code - 0x8160u <= 0x81CAu - 0x8160u &&
         (code == 0x8160 || code == 0x8161 || code == 0x817C || code == 0x8191 || code == 0x8192 || code == 0x81CA);
}
inline bool IsJisVariantCode(std::uint16_t code) {
  return code <= 0x022C &&
         (code == 0x0121 || code == 0x0122 || code == 0x013D || code == 0x0151 || code == 0x0152 || code == 0x022C);
}

inline constexpr std::size_t kMaxBytesPerCodePoint = 16;  // ISO-2022-JP: pending kana + escape + char

struct AsciiEncoder {
  bool Put(char32_t cp, std::uint8_t*& o) {
    if (cp >= 0x80) return false;
    *o++ = static_cast<std::uint8_t>(cp);
    return true;
  }
  void Finish(std::uint8_t*&) {}
};

// Shift_JIS as Windows writes it (CP932): the NEC and IBM extensions included.
struct SjisEncoder {
  const std::uint16_t* table = Cp932EncodeTable();
  VariantGuard variants;
  bool Put(char32_t cp, std::uint8_t*& o) {
    if (cp < 0x80) {
      *o++ = static_cast<std::uint8_t>(cp);
      return true;
    }
    if (cp > 0xFFFF) return false;
    std::uint16_t code = table[cp];
    if (!code) return false;
    if (IsSjisVariantCode(code) && !variants.Accept(cp)) return false;
    if (code >= 0x100) *o++ = static_cast<std::uint8_t>(code >> 8);
    *o++ = static_cast<std::uint8_t>(code);
    return true;
  }
  void Finish(std::uint8_t*&) {}
};

struct EucEncoder {
  const std::uint16_t* jis0208 = Jis0208EncodeTable();
  const std::uint16_t* jis0212 = Jis0212EncodeTable();
  VariantGuard variants;
  bool Put(char32_t cp, std::uint8_t*& o) {
    if (cp < 0x80) {
      *o++ = static_cast<std::uint8_t>(cp);
      return true;
    }
    if (cp > 0xFFFF) return false;
    if (cp >= 0xFF61 && cp <= 0xFF9F) {
      *o++ = 0x8E;
      *o++ = static_cast<std::uint8_t>(cp - 0xFF61 + 0xA1);
      return true;
    }
    if (std::uint16_t code = jis0208[cp]) {
      if (IsJisVariantCode(code) && !variants.Accept(cp)) return false;
      *o++ = static_cast<std::uint8_t>((code >> 8) + 0xA0);
      *o++ = static_cast<std::uint8_t>((code & 0xFF) + 0xA0);
      return true;
    }
    if (std::uint16_t code = jis0212[cp]) {
      *o++ = 0x8F;
      *o++ = static_cast<std::uint8_t>((code >> 8) + 0xA0);
      *o++ = static_cast<std::uint8_t>((code & 0xFF) + 0xA0);
      return true;
    }
    return false;
  }
  void Finish(std::uint8_t*&) {}
};

// ISO-2022-JP: ASCII, JIS X 0201 Roman for the yen sign and overline, JIS X 0208. It has no half-width
// katakana: they are written in full width, a kana and its sound mark as one character where one exists.
class Iso2022Encoder {
 public:
  bool Put(char32_t cp, std::uint8_t*& o) {
    if (pendingKana_) {
      if (char16_t both = HalfwidthKanaCombined(pendingKana_, cp)) {
        pendingKana_ = 0;
        return PutJis(both, o);
      }
      FlushKana(o);
    }
    if (cp >= 0xFF61 && cp <= 0xFF9F) {
      pendingKana_ = cp;
      return true;
    }
    if (cp < 0x80) {
      // Escape, shift-out and shift-in would be read as controls of the encoding itself.
      if (cp == 0x1B || cp == 0x0E || cp == 0x0F) return false;
      Switch(Mode::Ascii, o);
      *o++ = static_cast<std::uint8_t>(cp);
      return true;
    }
    if (cp == 0xA5 || cp == 0x203E) {
      Switch(Mode::Roman, o);
      *o++ = cp == 0xA5 ? 0x5C : 0x7E;
      return true;
    }
    return cp <= 0xFFFF && PutJis(cp, o);
  }
  void Finish(std::uint8_t*& o) {
    FlushKana(o);
    Switch(Mode::Ascii, o);
  }

 private:
  enum class Mode : std::uint8_t { Ascii, Roman, Jis0208 };
  bool PutJis(char32_t cp, std::uint8_t*& o) {
    std::uint16_t code = jis0208_[cp];
    if (!code) return false;
    if (IsJisVariantCode(code) && !variants_.Accept(cp)) return false;
    Switch(Mode::Jis0208, o);
    *o++ = static_cast<std::uint8_t>((code >> 8) + 0x20);
    *o++ = static_cast<std::uint8_t>((code & 0xFF) + 0x20);
    return true;
  }
  void FlushKana(std::uint8_t*& o) {
    if (!pendingKana_) return;
    char32_t kana = pendingKana_;
    pendingKana_ = 0;
    PutJis(HalfwidthKanaFull(kana), o);
  }
  void Switch(Mode m, std::uint8_t*& o) {
    if (m == mode_) return;
    mode_ = m;
    *o++ = 0x1B;
    *o++ = m == Mode::Jis0208 ? '$' : '(';
    *o++ = m == Mode::Jis0208 ? 'B' : m == Mode::Roman ? 'J' : 'B';
  }

  const std::uint16_t* jis0208_ = Jis0208EncodeTable();
  VariantGuard variants_;
  Mode mode_ = Mode::Ascii;
  char32_t pendingKana_ = 0;
};

struct Utf8Encoder {
  bool Put(char32_t cp, std::uint8_t*& o) {
    if (cp < 0x80) {
      *o++ = static_cast<std::uint8_t>(cp);
    } else if (cp < 0x800) {
      *o++ = static_cast<std::uint8_t>(0xC0 | cp >> 6);
      *o++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      *o++ = static_cast<std::uint8_t>(0xE0 | cp >> 12);
      *o++ = static_cast<std::uint8_t>(0x80 | (cp >> 6 & 0x3F));
      *o++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
    } else {
      *o++ = static_cast<std::uint8_t>(0xF0 | cp >> 18);
      *o++ = static_cast<std::uint8_t>(0x80 | (cp >> 12 & 0x3F));
      *o++ = static_cast<std::uint8_t>(0x80 | (cp >> 6 & 0x3F));
      *o++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
    }
    return true;
  }
  void Finish(std::uint8_t*&) {}
};

template <bool BigEndian>
struct Utf16Encoder {
  static void Unit(char32_t u, std::uint8_t*& o) {
    o[BigEndian ? 0 : 1] = static_cast<std::uint8_t>(u >> 8);
    o[BigEndian ? 1 : 0] = static_cast<std::uint8_t>(u);
    o += 2;
  }
  bool Put(char32_t cp, std::uint8_t*& o) {
    if (cp < 0x10000) {
      Unit(cp, o);
    } else {
      Unit(0xD800 + ((cp - 0x10000) >> 10), o);
      Unit(0xDC00 + ((cp - 0x10000) & 0x3FF), o);
    }
    return true;
  }
  void Finish(std::uint8_t*&) {}
};

template <bool BigEndian>
struct Utf32Encoder {
  bool Put(char32_t cp, std::uint8_t*& o) {
    for (int k = 0; k < 4; ++k) o[BigEndian ? 3 - k : k] = static_cast<std::uint8_t>(cp >> (8 * k));
    o += 4;
    return true;
  }
  void Finish(std::uint8_t*&) {}
};

}  // namespace nkf::detail
