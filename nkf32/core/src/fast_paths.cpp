#include "fast_paths.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace nkf::detail {
namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

inline std::uint64_t Load8(const std::uint8_t* p) {
  std::uint64_t w;
  std::memcpy(&w, p, 8);
  return w;
}

inline bool AllAscii8(const std::uint8_t* p) { return (Load8(p) & kHighBits) == 0; }

// How many of the 8 bytes at p, counted from the first, are ASCII (the bytes are little-endian in
// the word, so the first high bit set is the lowest).
inline std::size_t AsciiPrefix8(std::uint64_t w) {
  std::uint64_t high = w & kHighBits;
  return high ? static_cast<std::size_t>(std::countr_zero(high)) / 8 : 8;
}

// Copies the run of ASCII at in[0..) (in[0] is ASCII, 8 bytes are readable and limit >= 8 here):
// eight bytes are stored whatever they are and the cursor moves past the ASCII ones only, which
// costs no branch per byte on the short runs (spaces, digits, line ends) of Japanese prose.
inline std::size_t CopyAsciiRun(const std::uint8_t* in, std::uint8_t*& o) {
  std::uint64_t w = Load8(in);
  std::memcpy(o, &w, 8);
  std::size_t k = AsciiPrefix8(w);
  o += k;
  return k;
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

// The direct paths are kept out of line: inlined into one dispatcher they competed for registers
// and reloaded their bounds from the stack on every character.
[[gnu::noinline]] std::size_t SjisToUtf8(const SjisDecodeTable& t, const std::uint8_t* in, std::size_t n,
                                         std::size_t limit, std::uint8_t*& out) {
  // A local cursor: stores through it may alias anything, so a reference would be reloaded each time.
  std::uint8_t* o = out;
  const PairUtf8& utf8 = PairUtf8For(t);
  const std::uint8_t* p = in;
  const std::uint8_t* const stop = in + limit;
  // Before it two bytes are readable; a character starting at the last byte is the general path's.
  const std::uint8_t* const pairStop = std::min(stop, in + n - 1);
  while (p < pairStop) {
    std::uint8_t b = *p;
    if (b < 0x80) {
      if (stop - p >= 8) {
        p += CopyAsciiRun(p, o);
      } else {
        *o++ = b;
        ++p;
      }
      continue;
    }
    if (t.isLead[b]) {
      unsigned trail = p[1] - 0x40u;
      std::uint32_t v = trail < 0xC0 ? utf8.packed[b - 0x81][trail] : 0;
      if (!v) break;
      std::memcpy(o, &v, 4);  // the output has room to spare: the fourth byte is overwritten next
      o += v >> 24;
      p += 2;
    } else {
      char32_t cp = t.single[b];
      if (!cp) break;
      PutUtf8(cp, o);
      ++p;
    }
  }
  if (p == pairStop && p < stop && *p < 0x80) *o++ = *p++;
  out = o;
  return static_cast<std::size_t>(p - in);
}

// UTF-8 of every JIS X 0208 cell, packed as for Shift_JIS pairs, by (row - 1, cell - 1) on a grid
// of 128 so that one test, (row | cell) < 128, bounds both indices (the rest of the grid is 0).
struct GridUtf8 {
  std::uint32_t packed[128][128];
};

const GridUtf8& Jis0208Utf8() {
  static const std::unique_ptr<GridUtf8> table = [] {
    auto u = std::make_unique<GridUtf8>();
    std::memset(u.get(), 0, sizeof(GridUtf8));
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

[[gnu::noinline]] std::size_t EucToUtf8(const std::uint8_t* in, std::size_t n, std::size_t limit,
                                        std::uint8_t*& out) {
  // A local cursor: stores through it may alias anything, so a reference would be reloaded each time.
  std::uint8_t* o = out;
  const GridUtf8& utf8 = Jis0208Utf8();
  const std::uint8_t* p = in;
  const std::uint8_t* const stop = in + limit;
  // Before it two bytes are readable; a character starting at the last byte is the general path's.
  const std::uint8_t* const pairStop = std::min(stop, in + n - 1);
  while (p < pairStop) {
    std::uint8_t b = *p;
    if (b < 0x80) {
      if (stop - p >= 8) {
        p += CopyAsciiRun(p, o);
      } else {
        *o++ = b;
        ++p;
      }
      continue;
    }
    unsigned row = b - 0xA1u, cell = p[1] - 0xA1u;  // SS2, SS3 and strays wrap around: the general path
    if ((row | cell) >= 128) break;
    std::uint32_t v = utf8.packed[row][cell];
    if (!v) break;
    std::memcpy(o, &v, 4);  // the output has room to spare: the fourth byte is overwritten next
    o += v >> 24;
    p += 2;
  }
  if (p == pairStop && p < stop && *p < 0x80) *o++ = *p++;
  out = o;
  return static_cast<std::size_t>(p - in);
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

// A three-byte UTF-8 sequence in the first bytes of a little-endian word: lead E0..EF and two
// continuation bytes. Its code point may still be overlong (below 0x800) or a surrogate.
inline bool IsThreeByte(std::uint32_t w) { return (w & 0xC0C0F0u) == 0x8080E0u; }
inline char32_t ThreeByteCodePoint(std::uint32_t w) {
  return (w & 0x0Fu) << 12 | (w >> 2 & 0xFC0u) | (w >> 16 & 0x3Fu);
}

inline std::uint32_t Load4(const std::uint8_t* p) {
  std::uint32_t w;
  std::memcpy(&w, p, 4);
  return w;
}

// The two Shift_JIS bytes of every code point written as three UTF-8 bytes, in output order (first
// byte lowest: one store writes them). 0 = the general path decides (not representable, overlong,
// surrogate); kByCharacter = written by the per-character step: one of a variant pair, which only
// the encoder's guard may accept, or a single byte (half-width katakana, rare in UTF-8 text).
constexpr std::uint16_t kByCharacter = 1;

std::uint16_t SjisOutputOrder(std::uint16_t code) {
  return code >= 0x100 ? static_cast<std::uint16_t>(code >> 8 | (code & 0xFF) << 8) : code;
}

const std::uint16_t* ThreeByteSjis() {
  static const std::unique_ptr<std::uint16_t[]> table = [] {
    auto t = std::make_unique<std::uint16_t[]>(0x10000);
    const std::uint16_t* code = Cp932EncodeTable();
    for (char32_t cp = 0; cp < 0x10000; ++cp) {
      bool usable = cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF) && code[cp] >= 0x80;
      t[cp] = !usable                                            ? 0
              : IsSjisVariantCode(code[cp]) || code[cp] < 0x100 ? kByCharacter
                                                                : SjisOutputOrder(code[cp]);
    }
    return t;
  }();
  return table.get();
}

// One character of any kind at p, for the places a word cannot be read: false = the general path.
inline bool Utf8ToSjisOne(SjisEncoder& enc, const std::uint8_t*& p, const std::uint8_t* end, std::uint8_t*& o) {
  if (*p < 0x80) {
    *o++ = *p++;
    return true;
  }
  char32_t cp;
  std::size_t len = ReadUtf8Bmp(p, 0, static_cast<std::size_t>(end - p), cp);
  if (!len) return false;
  std::uint16_t code = enc.table[cp];
  if (!code || (IsSjisVariantCode(code) && !enc.variants.Accept(cp))) return false;  // the general path reports it
  if (code >= 0x100) *o++ = static_cast<std::uint8_t>(code >> 8);
  *o++ = static_cast<std::uint8_t>(code);
  p += len;
  return true;
}

[[gnu::noinline]] std::size_t Utf8ToSjis(SjisEncoder& enc, const std::uint8_t* in, std::size_t n, std::size_t limit,
                                         std::uint8_t*& out) {
  if (enc.table != Cp932EncodeTable()) return 0;  // the direct table is made from this one
  const std::uint16_t* threeByte = ThreeByteSjis();
  // A local cursor: stores through it may alias anything, so a reference would be reloaded each time.
  std::uint8_t* o = out;
  const std::uint8_t* p = in;
  const std::uint8_t* const stop = in + limit;
  const std::uint8_t* const end = in + n;
  const std::uint8_t* const wordStop = n >= 4 ? std::min(stop, end - 3) : in;  // four bytes readable before it
  bool stopped = false;
  while (p < wordStop) {
    std::uint32_t w = Load4(p);
    if (IsThreeByte(w)) {  // kana, kanji, full-width forms: nearly every character
      std::uint16_t v = threeByte[ThreeByteCodePoint(w)];
      if (v > kByCharacter) {
        std::memcpy(o, &v, 2);
        o += 2;
        p += 3;
      } else if (!v || !Utf8ToSjisOne(enc, p, end, o)) {
        stopped = true;
        break;
      }
    } else if ((w & 0x80) == 0 && stop - p >= 8) {
      p += CopyAsciiRun(p, o);
    } else if (!Utf8ToSjisOne(enc, p, end, o)) {
      stopped = true;
      break;
    }
  }
  while (!stopped && p < stop && Utf8ToSjisOne(enc, p, end, o)) {
  }
  out = o;
  return static_cast<std::size_t>(p - in);
}

// One character of any kind at p, for the places a word cannot be read: false = the general path.
inline bool Utf8ToUtf16LEOne(const std::uint8_t*& p, const std::uint8_t* end, std::uint8_t*& o) {
  char32_t cp = *p;
  std::size_t len = 1;
  if (cp >= 0x80) {
    len = ReadUtf8Bmp(p, 0, static_cast<std::size_t>(end - p), cp);
    if (!len) return false;  // four-byte sequences and errors: the general path
  }
  o[0] = static_cast<std::uint8_t>(cp);
  o[1] = static_cast<std::uint8_t>(cp >> 8);
  o += 2;
  p += len;
  return true;
}

// Whether the code point of a three-byte sequence is a character: not overlong (below U+0800) nor a
// surrogate. Below the surrogates is one test (kana and kanji); above them only full-width forms
// and private use.
inline bool IsThreeByteCharacter(char32_t cp) { return cp - 0x800u < 0xD800u - 0x800u || cp >= 0xE000u; }

// The eight bytes of `w` (first byte lowest) as sixteen bytes of UTF-16LE at o.
inline void WidenAscii8(std::uint64_t w, std::uint8_t* o) {
#if defined(__SSE2__)
  const __m128i x = _mm_cvtsi64_si128(static_cast<long long>(w));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(x, _mm_setzero_si128()));
#else
  const auto spread = [](std::uint64_t x) {  // four bytes to four 16-bit units
    x = (x | x << 16) & 0x0000FFFF0000FFFFull;
    return (x | x << 8) & 0x00FF00FF00FF00FFull;
  };
  const std::uint64_t low = spread(w & 0xFFFFFFFFu), high = spread(w >> 32);
  std::memcpy(o, &low, 8);
  std::memcpy(o + 8, &high, 8);
#endif
}

[[gnu::noinline]] std::size_t Utf8ToUtf16LE(const std::uint8_t* in, std::size_t n, std::size_t limit,
                                            std::uint8_t*& out) {
  // A local cursor: stores through it may alias anything, so a reference would be reloaded each time.
  std::uint8_t* o = out;
  const std::uint8_t* p = in;
  const std::uint8_t* const stop = in + limit;
  const std::uint8_t* const end = in + n;
  const std::uint8_t* const wordStop = n >= 4 ? std::min(stop, end - 3) : in;  // four bytes readable before it
  // Two three-byte characters at once: eight bytes readable, the second starting before `limit`.
  const std::uint8_t* const pairStop = in + std::min(limit > 3 ? limit - 3 : 0, n >= 8 ? n - 7 : 0);
  bool stopped = false;
  while (p < wordStop) {
    std::uint32_t w = Load4(p);
    if (IsThreeByte(w)) {
      char32_t cp = ThreeByteCodePoint(w);
      if (!IsThreeByteCharacter(cp)) {  // overlong forms and surrogates: the general path reports them
        stopped = true;
        break;
      }
      auto unit = static_cast<std::uint16_t>(cp);
      std::memcpy(o, &unit, 2);
      o += 2;
      p += 3;
      // Kana and kanji come in runs: two characters a step, with no other kind to tell apart.
      while (p < pairStop) {
        const std::uint64_t pair = Load8(p);
        if ((pair & 0xC0C0F0C0C0F0ull) != 0x8080E08080E0ull) break;
        const char32_t first = ThreeByteCodePoint(static_cast<std::uint32_t>(pair));
        const char32_t second = ThreeByteCodePoint(static_cast<std::uint32_t>(pair >> 24));
        if (!(IsThreeByteCharacter(first) & IsThreeByteCharacter(second))) break;
        const std::uint32_t units = first | second << 16;
        std::memcpy(o, &units, 4);
        o += 4;
        p += 6;
      }
    } else if ((w & 0x80) == 0 && stop - p >= 8) {
      // Runs of sixteen ASCII bytes whole; then eight bytes widened whatever they are, keeping the
      // ASCII ones.
      while (stop - p >= 16 && ((Load8(p) | Load8(p + 8)) & kHighBits) == 0) {
        WidenAscii8(Load8(p), o);
        WidenAscii8(Load8(p + 8), o + 16);
        o += 32;
        p += 16;
      }
      if (stop - p < 8) continue;
      std::uint64_t word = Load8(p);
      WidenAscii8(word, o);
      std::size_t k = AsciiPrefix8(word);
      o += 2 * k;
      p += k;
    } else if (!Utf8ToUtf16LEOne(p, end, o)) {
      stopped = true;
      break;
    }
  }
  while (!stopped && p < stop && Utf8ToUtf16LEOne(p, end, o)) {
  }
  out = o;
  return static_cast<std::size_t>(p - in);
}

// Validates whole characters from in[i] (a character boundary) until one starts at or after `until`:
// returns where it stopped, or the start of the first invalid or cut-off character.
std::size_t ValidSjisScalar(const SjisDecodeTable& t, const std::uint8_t* in, std::size_t i, std::size_t until,
                            std::size_t n) {
  while (i < until) {
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

// Shift_JIS validity as a byte automaton whose transitions for one byte fit one 64-bit word (six
// bits a state, holding the next state's bit offset), so a step is a load that does not depend on
// the state and a shift: no branch per byte. State 0 is "between characters", 1 "needs the exact
// check" (an error, or a lead byte whose trail bytes the automaton has no state for), and each
// further state is a lead byte class: the leads that accept the same trail bytes.
class SjisAutomaton {
 public:
  static constexpr std::uint64_t kStart = 0;
  static constexpr std::uint64_t kCheck = 6;

  explicit SjisAutomaton(const SjisDecodeTable& t) {
    constexpr unsigned kStates = 10;
    std::array<std::array<std::uint64_t, 3>, kStates> trails{};  // per lead class state
    std::array<std::uint8_t, 256> classOf{};                       // 0: no class (exact check)
    unsigned states = 2;
    // Classes for the leads of ordinary text first (symbols, kana, the JIS level 1 and 2 kanji);
    // vendor and rare rows that find no state left are checked exactly.
    auto assign = [&](unsigned lead) {
      if (!t.isLead[lead]) return;
      const std::uint64_t* valid = t.pairValid[lead - 0x81];
      if (!(valid[0] | valid[1] | valid[2])) return;
      for (unsigned s = 2; s < states; ++s) {
        if (trails[s][0] == valid[0] && trails[s][1] == valid[1] && trails[s][2] == valid[2]) {
          classOf[lead] = static_cast<std::uint8_t>(s);
          return;
        }
      }
      if (states == kStates) return;
      trails[states] = {valid[0], valid[1], valid[2]};
      classOf[lead] = static_cast<std::uint8_t>(states++);
    };
    for (unsigned lead = 0x81; lead <= 0x84; ++lead) assign(lead);
    for (unsigned lead = 0x88; lead <= 0x9F; ++lead) assign(lead);
    for (unsigned lead = 0xE0; lead <= 0xEA; ++lead) assign(lead);
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) assign(lead);

    for (unsigned b = 0; b < 256; ++b) {
      std::uint64_t row = 0;
      for (unsigned s = 0; s < kStates; ++s) row |= kCheck << (6 * s);
      auto set = [&](unsigned from, unsigned to) {
        row = (row & ~(std::uint64_t{63} << (6 * from))) | std::uint64_t{to * 6} << (6 * from);
      };
      if (t.isLead[b]) set(0, classOf[b] ? classOf[b] : 1);
      else if (b == 0 || t.single[b]) set(0, 0);
      if (b >= 0x40 && b < 0x100) {
        for (unsigned s = 2; s < states; ++s)
          if (trails[s][(b - 0x40) >> 6] >> ((b - 0x40) & 63) & 1) set(s, 0);
      }
      rows_[b] = row;
    }
  }

  // The longest valid prefix of in[0..n).
  std::size_t ValidPrefix(const SjisDecodeTable& t, const std::uint8_t* in, std::size_t n) const {
    std::size_t at = 0;  // start of the next block to run
    std::uint64_t s = kStart;
    while (n - at >= 16) {
      if (s == kStart && AllAscii8(in + at)) {
        at += 8;
        continue;
      }
      std::uint64_t next = s;
      for (int k = 0; k < 16; ++k) next = rows_[in[at + k]] >> (next & 63);
      next &= 63;
      if (next != kCheck) {
        s = next;
        at += 16;
        continue;
      }
      // Read this block exactly, from the start of the character it began inside of.
      std::size_t from = s == kStart ? at : at - 1;
      std::size_t end = ValidSjisScalar(t, in, from, at + 16, n);
      if (end < at + 16) return end;
      at = end;
      s = kStart;
    }
    return ValidSjisScalar(t, in, s == kStart ? at : at - 1, n, n);
  }

 private:
  std::array<std::uint64_t, 256> rows_{};
};

std::size_t ValidSjis(const SjisDecodeTable& t, const std::uint8_t* in, std::size_t n) {
  static const SjisAutomaton cp932(Cp932DecodeTable());
  static const SjisAutomaton shiftJis(ShiftJisDecodeTable());
  return (&t == &Cp932DecodeTable() ? cp932 : shiftJis).ValidPrefix(t, in, n);
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
