#include "fast_paths.h"

#include <cstring>
#include <memory>

namespace nkf::detail {
namespace {

inline bool AllAscii8(const std::uint8_t* p) {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  return (w & 0x8080808080808080ull) == 0;
}

inline void PutUtf8(char32_t cp, std::uint8_t*& o) {
  if (cp < 0x80) {
    *o++ = static_cast<std::uint8_t>(cp);
  } else if (cp < 0x800) {
    o[0] = static_cast<std::uint8_t>(0xC0 | cp >> 6);
    o[1] = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
    o += 2;
  } else {  // the legacy tables hold only BMP characters
    o[0] = static_cast<std::uint8_t>(0xE0 | cp >> 12);
    o[1] = static_cast<std::uint8_t>(0x80 | (cp >> 6 & 0x3F));
    o[2] = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
    o += 3;
  }
}

// UTF-8 of every Shift_JIS pair, packed: bytes in the low three bytes (first byte lowest), length
// in the top byte; 0 = not a character. One load and one store per character.
struct PairUtf8 {
  std::uint32_t packed[0xFC - 0x81 + 1][0x100 - 0x40];
};

std::unique_ptr<PairUtf8> BuildPairUtf8(const SjisDecodeTable& t) {
  auto u = std::make_unique<PairUtf8>();
  for (int lead = 0; lead <= 0xFC - 0x81; ++lead) {
    for (int trail = 0; trail < 0xC0; ++trail) {
      char32_t cp = t.pair[lead][trail];
      std::uint8_t bytes[4] = {};
      std::uint8_t* o = bytes;
      if (cp) PutUtf8(cp, o);
      auto len = static_cast<std::uint32_t>(o - bytes);
      u->packed[lead][trail] = cp ? (bytes[0] | bytes[1] << 8 | bytes[2] << 16 | len << 24) : 0;
    }
  }
  return u;
}

const PairUtf8& PairUtf8For(const SjisDecodeTable& t) {
  static const std::unique_ptr<PairUtf8> cp932 = BuildPairUtf8(Cp932DecodeTable());
  static const std::unique_ptr<PairUtf8> shiftJis = BuildPairUtf8(ShiftJisDecodeTable());
  return &t == &Cp932DecodeTable() ? *cp932 : *shiftJis;
}

std::size_t SjisToUtf8(const SjisDecodeTable& t, const std::uint8_t* in, std::size_t n, std::size_t limit,
                       std::uint8_t*& out) {
  // A local cursor: stores through it may alias anything, so a reference would be reloaded each time.
  std::uint8_t* o = out;
  const PairUtf8& utf8 = PairUtf8For(t);
  std::size_t i = 0;
  while (i < limit) {
    std::uint8_t b = in[i];
    if (b < 0x80) {
      if (i + 8 <= n && AllAscii8(in + i)) {
        std::memcpy(o, in + i, 8);
        o += 8;
        i += 8;
      } else {
        *o++ = b;
        ++i;
      }
      continue;
    }
    if (t.isLead[b]) {
      if (i + 1 >= n) break;
      unsigned trail = in[i + 1] - 0x40u;
      std::uint32_t v = trail < 0xC0 ? utf8.packed[b - 0x81][trail] : 0;
      if (!v) break;
      std::memcpy(o, &v, 4);  // the output has room to spare: the fourth byte is overwritten next
      o += v >> 24;
      i += 2;
    } else {
      char32_t cp = t.single[b];
      if (!cp) break;
      PutUtf8(cp, o);
      ++i;
    }
  }
  out = o;
  return i;
}

// UTF-8 of every JIS X 0208 cell, packed as for Shift_JIS pairs.
struct GridUtf8 {
  std::uint32_t packed[94][94];
};

const GridUtf8& Jis0208Utf8() {
  static const std::unique_ptr<GridUtf8> table = [] {
    auto u = std::make_unique<GridUtf8>();
    const JisGrid& g = Jis0208Grid();
    for (int r = 0; r < 94; ++r) {
      for (int c = 0; c < 94; ++c) {
        std::uint8_t bytes[4] = {};
        std::uint8_t* o = bytes;
        if (g[r][c]) PutUtf8(g[r][c], o);
        auto len = static_cast<std::uint32_t>(o - bytes);
        u->packed[r][c] = g[r][c] ? (bytes[0] | bytes[1] << 8 | bytes[2] << 16 | len << 24) : 0;
      }
    }
    return u;
  }();
  return *table;
}

std::size_t EucToUtf8(const std::uint8_t* in, std::size_t n, std::size_t limit, std::uint8_t*& out) {
  // A local cursor: stores through it may alias anything, so a reference would be reloaded each time.
  std::uint8_t* o = out;
  const GridUtf8& utf8 = Jis0208Utf8();
  std::size_t i = 0;
  while (i < limit) {
    std::uint8_t b = in[i];
    if (b < 0x80) {
      if (i + 8 <= n && AllAscii8(in + i)) {
        std::memcpy(o, in + i, 8);
        o += 8;
        i += 8;
      } else {
        *o++ = b;
        ++i;
      }
      continue;
    }
    if (i + 1 >= n) break;  // SS2, SS3, strays and cut-off pairs: the general path
    unsigned row = b - 0xA1u, cell = in[i + 1] - 0xA1u;
    if (row >= 94 || cell >= 94) break;
    std::uint32_t v = utf8.packed[row][cell];
    if (!v) break;
    std::memcpy(o, &v, 4);  // the output has room to spare: the fourth byte is overwritten next
    o += v >> 24;
    i += 2;
  }
  out = o;
  return i;
}

// A whole, valid UTF-8 sequence at in[i] (at most 3 bytes: BMP only): its code point and length,
// or length 0.
inline std::size_t ReadUtf8Bmp(const std::uint8_t* in, std::size_t i, std::size_t n, char32_t& cp) {
  std::uint8_t b = in[i];
  if (b >= 0xC2 && b <= 0xDF) {
    if (i + 1 >= n || (in[i + 1] & 0xC0) != 0x80) return 0;
    cp = (b & 0x1Fu) << 6 | (in[i + 1] & 0x3Fu);
    return 2;
  }
  if (b >= 0xE0 && b <= 0xEF) {
    if (i + 2 >= n || (in[i + 1] & 0xC0) != 0x80 || (in[i + 2] & 0xC0) != 0x80) return 0;
    cp = (b & 0x0Fu) << 12 | (in[i + 1] & 0x3Fu) << 6 | (in[i + 2] & 0x3Fu);
    if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return 3;
  }
  return 0;
}

std::size_t Utf8ToSjis(SjisEncoder& enc, const std::uint8_t* in, std::size_t n, std::size_t limit, std::uint8_t*& out) {
  // A local cursor: stores through it may alias anything, so a reference would be reloaded each time.
  std::uint8_t* o = out;
  const std::uint16_t* table = enc.table;
  std::size_t i = 0;
  while (i < limit) {
    if (in[i] < 0x80 && i + 8 <= n && AllAscii8(in + i)) {
      std::memcpy(o, in + i, 8);
      o += 8;
      i += 8;
      continue;
    }
    if (in[i] < 0x80) {
      *o++ = in[i++];
      continue;
    }
    char32_t cp;
    std::size_t len = ReadUtf8Bmp(in, i, n, cp);
    if (!len) break;
    std::uint16_t code = table[cp];
    if (!code || (IsSjisVariantCode(code) && !enc.variants.Accept(cp))) break;  // the general path reports it
    if (code >= 0x100) *o++ = static_cast<std::uint8_t>(code >> 8);
    *o++ = static_cast<std::uint8_t>(code);
    i += len;
  }
  out = o;
  return i;
}

std::size_t Utf8ToUtf16LE(const std::uint8_t* in, std::size_t n, std::size_t limit, std::uint8_t*& out) {
  // A local cursor: stores through it may alias anything, so a reference would be reloaded each time.
  std::uint8_t* o = out;
  std::size_t i = 0;
  while (i < limit) {
    if (in[i] < 0x80 && i + 8 <= n && AllAscii8(in + i)) {
      for (int k = 0; k < 8; ++k) {
        o[2 * k] = in[i + k];
        o[2 * k + 1] = 0;
      }
      o += 16;
      i += 8;
      continue;
    }
    char32_t cp = in[i];
    std::size_t len = 1;
    if (cp >= 0x80) {
      len = ReadUtf8Bmp(in, i, n, cp);
      if (!len) break;  // four-byte sequences and errors: the general path
    }
    o[0] = static_cast<std::uint8_t>(cp);
    o[1] = static_cast<std::uint8_t>(cp >> 8);
    o += 2;
    i += len;
  }
  out = o;
  return i;
}

std::size_t ValidSjis(const SjisDecodeTable& t, const std::uint8_t* in, std::size_t n) {
  std::size_t i = 0;
  while (i < n) {
    if (in[i] < 0x80 && i + 8 <= n && AllAscii8(in + i)) {
      i += 8;
      continue;
    }
    std::uint8_t b = in[i];
    if (t.isLead[b]) {
      if (i + 1 >= n) break;
      unsigned trail = in[i + 1] - 0x40u;
      if (trail >= 0xC0 || !(t.pairValid[b - 0x81][trail >> 6] >> (trail & 63) & 1)) break;
      i += 2;
    } else {
      if (b && !t.single[b]) break;
      ++i;
    }
  }
  return i;
}

std::size_t ValidUtf8(const std::uint8_t* in, std::size_t n) {
  std::size_t i = 0;
  while (i < n) {
    if (in[i] < 0x80 && i + 8 <= n && AllAscii8(in + i)) {
      i += 8;
      continue;
    }
    if (in[i] < 0x80) {
      ++i;
      continue;
    }
    char32_t cp;
    std::size_t len = ReadUtf8Bmp(in, i, n, cp);
    if (!len) break;
    i += len;
  }
  return i;
}

}  // namespace

FastPath ChooseFastPath(Encoding input, Encoding output) {
  bool sjisIn = input == Encoding::ShiftJis || input == Encoding::Cp932;
  bool sjisOut = output == Encoding::ShiftJis || output == Encoding::Cp932;
  if (sjisIn && output == Encoding::Utf8) return FastPath::SjisToUtf8;
  if (input == Encoding::EucJp && output == Encoding::Utf8) return FastPath::EucToUtf8;
  if (input == Encoding::Utf8 && sjisOut) return FastPath::Utf8ToSjis;
  if (input == Encoding::Utf8 && output == Encoding::Utf16LE) return FastPath::Utf8ToUtf16LE;
  return FastPath::None;
}

std::size_t RunFastPath(FastPath path, const SjisDecodeTable* sjis, SjisEncoder* sjisOut, const std::uint8_t* in,
                        std::size_t n, std::size_t limit, std::uint8_t*& o) {
  switch (path) {
    case FastPath::SjisToUtf8: return SjisToUtf8(*sjis, in, n, limit, o);
    case FastPath::EucToUtf8: return EucToUtf8(in, n, limit, o);
    case FastPath::Utf8ToSjis: return Utf8ToSjis(*sjisOut, in, n, limit, o);
    case FastPath::Utf8ToUtf16LE: return Utf8ToUtf16LE(in, n, limit, o);
    case FastPath::None: break;
  }
  return 0;
}

bool HasValidator(Encoding encoding) {
  return encoding == Encoding::ShiftJis || encoding == Encoding::Cp932 || encoding == Encoding::Utf8;
}

std::size_t ValidPrefix(Encoding encoding, const SjisDecodeTable* sjis, const std::uint8_t* in, std::size_t n) {
  switch (encoding) {
    case Encoding::ShiftJis:
    case Encoding::Cp932: return ValidSjis(*sjis, in, n);
    case Encoding::Utf8: return ValidUtf8(in, n);
    default: return 0;
  }
}

}  // namespace nkf::detail
