#include "decoder.h"

#include <algorithm>
#include <cstring>

namespace nkf::detail {
namespace {

// Copies the run of ASCII bytes at the start of `in`; the common case in every encoding but UTF-16/32.
inline std::size_t CopyAscii(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap) {
  std::size_t m = std::min(n, cap), i = 0;
  while (i + 8 <= m) {
    std::uint64_t w;
    std::memcpy(&w, in + i, 8);
    if (w & 0x8080808080808080ull) break;
    for (int k = 0; k < 8; ++k) out[i + k] = in[i + k];
    i += 8;
  }
  while (i < m && in[i] < 0x80) {
    out[i] = in[i];
    ++i;
  }
  return i;
}

// A sequence that needs `need` bytes but the input ends first: an error only at the very end.
inline DecodeStatus Truncated(std::size_t i, std::size_t o, bool final) { return {i, o, final}; }

inline bool InRange(std::uint8_t b, std::uint8_t lo, std::uint8_t hi) { return b >= lo && b <= hi; }

}  // namespace

Decoder::Decoder(Encoding encoding, bool cp932) : encoding_(encoding) {
  if (encoding == Encoding::ShiftJis || encoding == Encoding::Cp932)
    sjis_ = (cp932 || encoding == Encoding::Cp932) ? &Cp932DecodeTable() : &ShiftJisDecodeTable();
  if (encoding == Encoding::EucJp || encoding == Encoding::Iso2022Jp) {
    Jis0208Grid();
    Jis0212Grid();
  }
}

DecodeStatus Decoder::Decode(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final) {
  switch (encoding_) {
    case Encoding::ShiftJis:
    case Encoding::Cp932: return DecodeSjis(in, n, out, cap, final);
    case Encoding::EucJp: return DecodeEuc(in, n, out, cap, final);
    case Encoding::Iso2022Jp: return DecodeIso2022(in, n, out, cap, final);
    case Encoding::Utf8: return DecodeUtf8(in, n, out, cap, final);
    case Encoding::Utf16LE: return DecodeUtf16<false>(in, n, out, cap, final);
    case Encoding::Utf16BE: return DecodeUtf16<true>(in, n, out, cap, final);
    case Encoding::Utf32LE: return DecodeUtf32<false>(in, n, out, cap, final);
    case Encoding::Utf32BE: return DecodeUtf32<true>(in, n, out, cap, final);
    case Encoding::Ascii: return DecodeAscii(in, n, out, cap);
    case Encoding::Binary: break;
  }
  return {0, 0, n != 0};
}

DecodeStatus Decoder::DecodeAscii(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap) {
  std::size_t k = CopyAscii(in, n, out, cap);
  return {k, k, k < n && k < cap};
}

DecodeStatus Decoder::DecodeSjis(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final) {
  const SjisDecodeTable& t = *sjis_;
  std::size_t i = 0, o = 0;
  while (i < n && o < cap) {
    std::uint8_t b = in[i];
    if (b < 0x80) {
      std::size_t k = CopyAscii(in + i, n - i, out + o, cap - o);
      i += k;
      o += k;
      continue;
    }
    if (t.isLead[b]) {
      if (i + 1 >= n) return Truncated(i, o, final);
      std::uint8_t trail = in[i + 1];
      std::uint16_t cp = trail >= 0x40 ? t.pair[b - 0x81][trail - 0x40] : 0;
      if (!cp) return {i, o, true};
      out[o++] = cp;
      i += 2;
      continue;
    }
    std::uint16_t cp = t.single[b];
    if (!cp) return {i, o, true};
    out[o++] = cp;
    ++i;
  }
  return {i, o, false};
}

DecodeStatus Decoder::DecodeEuc(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final) {
  const JisGrid& g0208 = Jis0208Grid();
  const JisGrid& g0212 = Jis0212Grid();
  std::size_t i = 0, o = 0;
  while (i < n && o < cap) {
    std::uint8_t b = in[i];
    if (b < 0x80) {
      std::size_t k = CopyAscii(in + i, n - i, out + o, cap - o);
      i += k;
      o += k;
      continue;
    }
    char32_t cp = 0;
    std::size_t len = 0;
    if (InRange(b, 0xA1, 0xFE)) {
      if (i + 1 >= n) return Truncated(i, o, final);
      if (InRange(in[i + 1], 0xA1, 0xFE)) cp = g0208[b - 0xA1][in[i + 1] - 0xA1];
      len = 2;
    } else if (b == 0x8E) {  // SS2: half-width katakana
      if (i + 1 >= n) return Truncated(i, o, final);
      if (InRange(in[i + 1], 0xA1, 0xDF)) cp = 0xFF61 + (in[i + 1] - 0xA1);
      len = 2;
    } else if (b == 0x8F) {  // SS3: JIS X 0212
      if (i + 2 >= n) return Truncated(i, o, final);
      if (InRange(in[i + 1], 0xA1, 0xFE) && InRange(in[i + 2], 0xA1, 0xFE))
        cp = g0212[in[i + 1] - 0xA1][in[i + 2] - 0xA1];
      len = 3;
    }
    if (!cp) return {i, o, true};
    out[o++] = cp;
    i += len;
  }
  return {i, o, false};
}

DecodeStatus Decoder::DecodeIso2022(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap,
                                    bool final) {
  const JisGrid& g0208 = Jis0208Grid();
  const JisGrid& g0212 = Jis0212Grid();
  std::size_t i = 0, o = 0;
  while (i < n && o < cap) {
    std::uint8_t b = in[i];
    if (b == 0x1B) {
      if (i + 2 >= n) return Truncated(i, o, final);
      std::uint8_t c1 = in[i + 1], c2 = in[i + 2];
      std::size_t len = 3;
      if (c1 == '(' && c2 == 'B') mode_ = Mode::Ascii;
      else if (c1 == '(' && c2 == 'J') mode_ = Mode::Roman;
      else if (c1 == '(' && c2 == 'I') mode_ = Mode::Kana;
      else if (c1 == '$' && (c2 == 'B' || c2 == '@')) mode_ = Mode::Jis0208;
      else if (c1 == '$' && c2 == '(') {
        if (i + 3 >= n) return Truncated(i, o, final);
        if (in[i + 3] == 'D') mode_ = Mode::Jis0212;
        else if (in[i + 3] == 'B') mode_ = Mode::Jis0208;
        else return {i, o, true};
        len = 4;
      } else {
        return {i, o, true};
      }
      i += len;
      continue;
    }
    if (b >= 0x80 || b == 0x0E || b == 0x0F) return {i, o, true};
    if (b < 0x21) {  // controls (line ends included) read the same in every mode
      out[o++] = b;
      ++i;
      continue;
    }
    switch (mode_) {
      case Mode::Ascii: out[o++] = b; ++i; break;
      case Mode::Roman: out[o++] = b == 0x5C ? 0xA5 : b == 0x7E ? 0x203E : b; ++i; break;
      case Mode::Kana:
        if (b > 0x5F) return {i, o, true};
        out[o++] = 0xFF61 + (b - 0x21);
        ++i;
        break;
      case Mode::Jis0208:
      case Mode::Jis0212: {
        if (i + 1 >= n) return Truncated(i, o, final);
        std::uint8_t c = in[i + 1];
        if (b > 0x7E || c < 0x21 || c > 0x7E) return {i, o, true};
        char32_t cp = (mode_ == Mode::Jis0208 ? g0208 : g0212)[b - 0x21][c - 0x21];
        if (!cp) return {i, o, true};
        out[o++] = cp;
        i += 2;
        break;
      }
    }
  }
  return {i, o, false};
}

DecodeStatus Decoder::DecodeUtf8(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap, bool final) {
  std::size_t i = 0, o = 0;
  while (i < n && o < cap) {
    std::uint8_t b = in[i];
    if (b < 0x80) {
      std::size_t k = CopyAscii(in + i, n - i, out + o, cap - o);
      i += k;
      o += k;
      continue;
    }
    std::size_t len;
    std::uint8_t lo = 0x80, hi = 0xBF;  // the range of the second byte (excludes overlongs and surrogates)
    if (InRange(b, 0xC2, 0xDF)) len = 2;
    else if (InRange(b, 0xE0, 0xEF)) { len = 3; if (b == 0xE0) lo = 0xA0; if (b == 0xED) hi = 0x9F; }
    else if (InRange(b, 0xF0, 0xF4)) { len = 4; if (b == 0xF0) lo = 0x90; if (b == 0xF4) hi = 0x8F; }
    else return {i, o, true};
    // A cut-off sequence is only "truncated" when what is there could still start a character.
    std::size_t avail = std::min(len, n - i);
    if (avail >= 2 && !InRange(in[i + 1], lo, hi)) return {i, o, true};
    for (std::size_t k = 2; k < avail; ++k) {
      if (!InRange(in[i + k], 0x80, 0xBF)) return {i, o, true};
    }
    if (avail < len) return Truncated(i, o, final);
    char32_t cp = b & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) cp = cp << 6 | (in[i + k] & 0x3F);
    out[o++] = cp;
    i += len;
  }
  return {i, o, false};
}

template <bool BigEndian>
DecodeStatus Decoder::DecodeUtf16(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap,
                                  bool final) {
  auto unit = [&](std::size_t at) -> char32_t {
    return BigEndian ? (in[at] << 8 | in[at + 1]) : (in[at + 1] << 8 | in[at]);
  };
  std::size_t i = 0, o = 0;
  while (i < n && o < cap) {
    if (i + 1 >= n) return Truncated(i, o, final);
    char32_t u = unit(i);
    if (u < 0xD800 || u > 0xDFFF) {
      out[o++] = u;
      i += 2;
      continue;
    }
    if (u > 0xDBFF) return {i, o, true};
    if (i + 3 >= n) return Truncated(i, o, final);
    char32_t low = unit(i + 2);
    if (low < 0xDC00 || low > 0xDFFF) return {i, o, true};
    out[o++] = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
    i += 4;
  }
  return {i, o, false};
}

template <bool BigEndian>
DecodeStatus Decoder::DecodeUtf32(const std::uint8_t* in, std::size_t n, char32_t* out, std::size_t cap,
                                  bool final) {
  std::size_t i = 0, o = 0;
  while (i < n && o < cap) {
    if (i + 3 >= n) return Truncated(i, o, final);
    char32_t cp = BigEndian
        ? (char32_t{in[i]} << 24 | in[i + 1] << 16 | in[i + 2] << 8 | in[i + 3])
        : (char32_t{in[i + 3]} << 24 | in[i + 2] << 16 | in[i + 1] << 8 | in[i]);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {i, o, true};
    out[o++] = cp;
    i += 4;
  }
  return {i, o, false};
}

}  // namespace nkf::detail
