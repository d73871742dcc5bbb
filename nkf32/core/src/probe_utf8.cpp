#include "probe_utf8.h"

#include "probe_ascii_run.h"
#include "probe_byte_block.h"
#include "probe_shift_dfa.h"

namespace nkf::guess {
namespace {

bool IsAsciiLetter(std::uint8_t b) { return (b | 0x20) >= 'a' && (b | 0x20) <= 'z'; }

// U+00C0-U+024F but the two signs among them (multiplication and division).
bool IsAccentedLatinLetter(std::uint32_t cp) { return cp >= 0xC0 && cp <= 0x24F && cp != 0xD7 && cp != 0xF7; }

}  // namespace

template <bool kStats>
void Utf8Probe::Byte(std::uint8_t b) {
  ++position_;
  if (need_ != 0) {
    if (b >= low_ && b <= high_) {
      codePoint_ = (codePoint_ << 6) | (b & 0x3F);
      low_ = 0x80;
      high_ = 0xBF;
      if (--need_ == 0 && kStats) {
        ++multibyte_;
        const bool latinLetter = IsAccentedLatinLetter(codePoint_);
        model_.Add(latinLetter && afterLetter_ ? CharClass::LatinInWord : UnicodeClass(codePoint_));
        afterLetter_ = latinLetter;
      }
      return;
    }
    errors_.Add(position_);  // the sequence is lost; `b` starts over below
    need_ = 0;
    low_ = 0x80;
    high_ = 0xBF;
  }
  if (b < 0x80) {
    if constexpr (kStats) {
      model_.AddAscii();
      afterLetter_ = IsAsciiLetter(b);
    }
  } else if (b >= 0xC2 && b <= 0xDF) {
    need_ = 1;
    length_ = 2;
    codePoint_ = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need_ = 2;
    length_ = 3;
    codePoint_ = b & 0x0F;
    if (b == 0xE0) low_ = 0xA0;   // shorter forms are overlong
    if (b == 0xED) high_ = 0x9F;  // U+D800-U+DFFF are surrogates, not characters
  } else if (b >= 0xF0 && b <= 0xF4) {
    need_ = 3;
    length_ = 4;
    codePoint_ = b & 0x07;
    if (b == 0xF0) low_ = 0x90;
    if (b == 0xF4) high_ = 0x8F;  // nothing above U+10FFFF
  } else {
    errors_.Add(position_);
  }
}

void Utf8Probe::Scan(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  while (p < end) {
    if (need_ == 0 && *p < 0x80) {  // a run of ASCII at once
      p = TakeAsciiRun(p, end, model_, position_);
      afterLetter_ = IsAsciiLetter(p[-1]);
      continue;
    }
    Byte<true>(*p++);
  }
}

namespace {

// Length of the sequence a lead byte starts (0: not a lead byte).
constexpr std::uint8_t SequenceLength(std::uint8_t b) {
  return b < 0x80 ? 1 : b < 0xC2 ? 0 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : b < 0xF5 ? 4 : 0;
}

bool IsContinuation(std::uint8_t b) { return (b & 0xC0) == 0x80; }

// Whether a complete sequence at `p` of length `n` is valid (lead already checked by length).
bool ValidSequence(const std::uint8_t* p, std::uint8_t n) {
  const std::uint8_t lead = p[0], second = p[1];
  switch (n) {
    case 2:
      return IsContinuation(second);
    case 3:
      if (!IsContinuation(second) || !IsContinuation(p[2])) return false;
      if (lead == 0xE0) return second >= 0xA0;
      if (lead == 0xED) return second <= 0x9F;
      return true;
    case 4:
      if (!IsContinuation(second) || !IsContinuation(p[2]) || !IsContinuation(p[3])) return false;
      if (lead == 0xF0) return second >= 0x90;
      if (lead == 0xF4) return second <= 0x8F;
      return true;
  }
  return false;
}

// States name how many continuation bytes are still due; the four leads that narrow the range of
// the next byte (against overlong forms, surrogates, and codes above U+10FFFF) have their own.
enum Utf8State : unsigned { kStart, kNeed1, kNeed2, kNeed3, kAfterE0, kAfterED, kAfterF0, kAfterF4, kError };

constexpr ShiftDfa MakeUtf8Dfa() {
  ShiftDfa d(kError);
  d.SetRange(kStart, 0x00, 0x7F, kStart);
  d.SetRange(kStart, 0xC2, 0xDF, kNeed1);
  d.SetRange(kStart, 0xE1, 0xEF, kNeed2);
  d.Set(kStart, 0xE0, kAfterE0);
  d.Set(kStart, 0xED, kAfterED);
  d.SetRange(kStart, 0xF1, 0xF3, kNeed3);
  d.Set(kStart, 0xF0, kAfterF0);
  d.Set(kStart, 0xF4, kAfterF4);
  d.SetRange(kNeed1, 0x80, 0xBF, kStart);
  d.SetRange(kNeed2, 0x80, 0xBF, kNeed1);
  d.SetRange(kNeed3, 0x80, 0xBF, kNeed2);
  d.SetRange(kAfterE0, 0xA0, 0xBF, kNeed1);
  d.SetRange(kAfterED, 0x80, 0x9F, kNeed1);
  d.SetRange(kAfterF0, 0x90, 0xBF, kNeed2);
  d.SetRange(kAfterF4, 0x80, 0x8F, kNeed2);
  return d;
}
constexpr ShiftDfa kUtf8Dfa = MakeUtf8Dfa();

// The classes of the 64 bytes of a block a quick check needs (bit i for byte i). "Unusual" are
// the bytes whose checks go beyond counting continuation bytes: C0 C1 and F5..FF (never valid),
// E0 ED F0 F4 (the next byte's range narrows) and F1..F3 (rare enough to leave to the automaton).
struct Utf8Block {
  std::uint64_t high = 0;           // 80..FF
  std::uint64_t continuation = 0;   // 80..BF
  std::uint64_t threeByteLead = 0;  // E0..FF
  bool unusual = false;
};

#if defined(__SSE2__)

Utf8Block ClassifyBlock(const std::uint8_t* p) {
  Utf8Block m;
  __m128i unusual = _mm_setzero_si128();
  __m128i largest = _mm_setzero_si128();
  for (int i = 0; i < 4; ++i) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    // As signed bytes 80..BF are -128..-65 and E0..FF are -32..-1 (ASCII is positive).
    const __m128i continuation = _mm_cmplt_epi8(x, _mm_set1_epi8(-64));
    const __m128i threeByteLead = _mm_cmpgt_epi8(x, _mm_set1_epi8(-33));
    largest = _mm_max_epu8(largest, x);
    const __m128i narrowing = _mm_or_si128(_mm_cmpeq_epi8(x, _mm_set1_epi8(static_cast<char>(0xE0))),
                                           _mm_cmpeq_epi8(x, _mm_set1_epi8(static_cast<char>(0xED))));
    const __m128i overlong = _mm_cmpeq_epi8(_mm_and_si128(x, _mm_set1_epi8(static_cast<char>(0xFE))),
                                            _mm_set1_epi8(static_cast<char>(0xC0)));
    unusual = _mm_or_si128(unusual, _mm_or_si128(narrowing, overlong));
    const unsigned shift = 16 * i;
    m.high |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(x))} << shift;
    m.continuation |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(continuation))} << shift;
    m.threeByteLead |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(threeByteLead))} << shift;
  }
  m.threeByteLead &= m.high;
  const __m128i fourByteLead = _mm_cmpeq_epi8(_mm_max_epu8(largest, _mm_set1_epi8(static_cast<char>(0xF0))), largest);
  m.unusual = _mm_movemask_epi8(_mm_or_si128(unusual, fourByteLead)) != 0;
  return m;
}

#else

Utf8Block ClassifyBlock(const std::uint8_t* p) {
  Utf8Block m;
  for (std::size_t i = 0; i < kByteBlock; ++i) {
    const std::uint8_t b = p[i];
    m.high |= std::uint64_t{b >= 0x80} << i;
    m.continuation |= std::uint64_t{b >= 0x80 && b <= 0xBF} << i;
    m.threeByteLead |= std::uint64_t{b >= 0xE0} << i;
    m.unusual |= b == 0xC0 || b == 0xC1 || b == 0xE0 || b == 0xED || b >= 0xF0;
  }
  return m;
}

#endif

// The automaton's run over whole blocks: returns the bytes passed and leaves `state` as after
// them. A block of one- to three-byte characters with none of the unusual leads is valid exactly
// when its continuation bytes are the ones its leads (and the character the block began inside
// of) call for; any other block goes through the automaton. Stops after a block with an error.
std::size_t WholeBlocks(unsigned& state, const std::uint8_t* p, std::size_t size) {
  std::size_t done = 0;
  for (; size - done >= kByteBlock; done += kByteBlock) {
    const std::uint8_t* b = p + done;
    if (state == kStart || state == kNeed1 || state == kNeed2) {
      const std::uint64_t carry = state == kStart ? 0 : state == kNeed1 ? 1 : 3;
      const Utf8Block m = ClassifyBlock(b);
      if (m.high == 0 && carry == 0) continue;
      const std::uint64_t leads = m.high & ~m.continuation;
      if (!m.unusual && (leads << 1 | m.threeByteLead << 2 | carry) == m.continuation) {
        const std::uint64_t due = leads >> 63 | m.threeByteLead >> 62;  // bits of the next block
        state = due == 0 ? kStart : due == 1 ? kNeed1 : kNeed2;
        continue;
      }
    }
    state = kUtf8Dfa.Run(state, b, b + kByteBlock, kStart);
    if (state == kError) return done + kByteBlock;
  }
  return done;
}

}  // namespace

void Utf8Probe::Validate(std::span<const std::uint8_t> bytes) {
  // Short chunks may end inside a character begun in an earlier chunk; the readable path keeps
  // track of that, the automaton only of what is still due.
  if (!errors_.None() || bytes.size() < 4) return ValidateScalar(bytes);
  const unsigned entry = need_ == 0                     ? kStart
                         : need_ == 2 && low_ == 0xA0   ? kAfterE0
                         : need_ == 2 && high_ == 0x9F  ? kAfterED
                         : need_ == 3 && low_ == 0x90   ? kAfterF0
                         : need_ == 3 && high_ == 0x8F  ? kAfterF4
                                                        : kStart + need_;
  unsigned state = entry;
  const std::size_t blocks = WholeBlocks(state, bytes.data(), bytes.size());
  const unsigned exit =
      state == kError ? kError : kUtf8Dfa.Run(state, bytes.data() + blocks, bytes.data() + bytes.size(), kStart);
  if (exit == kError) return ValidateScalar(bytes);
  low_ = exit == kAfterE0 ? 0xA0 : exit == kAfterF0 ? 0x90 : 0x80;
  high_ = exit == kAfterED ? 0x9F : exit == kAfterF4 ? 0x8F : 0xBF;
  need_ = exit == kStart ? 0 : exit <= kNeed3 ? exit : exit <= kAfterED ? 2 : 3;
  if (need_ != 0) {
    // The lead byte of the unfinished character lies within the last three bytes.
    const std::uint8_t* lead = bytes.data() + bytes.size() - 1;
    while (IsContinuation(*lead)) --lead;
    length_ = SequenceLength(*lead);
  }
  position_ += bytes.size();
}

void Utf8Probe::ValidateScalar(std::span<const std::uint8_t> bytes) {
  if (!errors_.None()) return;
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  while (need_ != 0 && p < end && errors_.None()) Byte<false>(*p++);
  const std::uint64_t base = position_ - (p - bytes.data());
  while (p < end && errors_.None()) {
    p = SkipAscii(p, end);
    if (p == end) break;
    const std::uint8_t n = SequenceLength(*p);
    if (n != 0 && end - p >= n && ValidSequence(p, n)) {
      p += n;
      continue;
    }
    // An error, or a sequence cut by the end of the chunk: the readable path decides.
    position_ = base + (p - bytes.data());
    while (p < end && errors_.None()) Byte<false>(*p++);
    if (!errors_.None()) return;
    break;
  }
  position_ = base + bytes.size();
}

}  // namespace nkf::guess
