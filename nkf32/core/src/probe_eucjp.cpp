#include "probe_eucjp.h"

#include "guess_cell_tables.h"
#include "probe_ascii_run.h"
#include "probe_byte_block.h"
#include "probe_shift_dfa.h"

namespace nkf::guess {
namespace {

constexpr std::uint8_t kSs2 = 0x8E;
constexpr std::uint8_t kSs3 = 0x8F;

constexpr bool IsGraphic(unsigned b) { return b >= 0xA1 && b <= 0xFE; }

CharClass Jis0208Class(std::uint8_t first, std::uint8_t second) {
  const unsigned row = first - 0xA1, cell = second - 0xA1;
  if (!Jis0208Assigned(row, cell)) return CharClass::Unassigned;
  if (row == 3) return CharClass::Hiragana;
  if (row == 4) return CharClass::Katakana;
  if (row < 15) return CharClass::Symbol;
  if (row < 47) return CharClass::Kanji;
  return CharClass::RareKanji;
}

enum EucState : unsigned { kStart, kNeedGraphic, kNeedKana, kSs3First, kSs3Second, kError };

constexpr ShiftDfa MakeEucDfa() {
  ShiftDfa d(kError);
  d.SetRange(kStart, 0x00, 0x7F, kStart);
  d.SetRange(kStart, 0xA1, 0xFE, kNeedGraphic);
  d.Set(kStart, kSs2, kNeedKana);
  d.Set(kStart, kSs3, kSs3First);
  d.SetRange(kNeedGraphic, 0xA1, 0xFE, kStart);
  d.SetRange(kNeedKana, 0xA1, 0xDF, kStart);
  d.SetRange(kSs3First, 0xA1, 0xFE, kSs3Second);
  d.SetRange(kSs3Second, 0xA1, 0xFE, kStart);
  return d;
}
constexpr ShiftDfa kEucDfa = MakeEucDfa();

// The automaton's run over whole blocks of text, as bit masks: returns the bytes passed and
// leaves `state` as after them. Stops before a block with an error, which the automaton and the
// readable path then find. Blocks with single shifts (half-width kana, JIS X 0212) or entered
// inside one go through the automaton.
std::size_t CleanBlocks(unsigned& state, const std::uint8_t* p, std::size_t size) {
  std::size_t done = 0;
  for (; size - done >= kByteBlock; done += kByteBlock) {
    const std::uint8_t* b = p + done;
    if (state == kStart || state == kNeedGraphic) {
      std::uint64_t carry = state == kNeedGraphic;
      const std::uint64_t high = HighBytes(b);
      if (high == 0 && carry == 0) continue;
      if (BytesIn(b, ByteRange{kSs2, kSs3}) == 0) {
        // Every byte above 0x7F is graphic and every pair's second byte too.
        const std::uint64_t graphic = BytesIn(b, ByteRange{0xA1, 0xFE});
        const std::uint64_t seconds = PairSeconds(graphic, carry);
        if ((high & ~graphic) | (seconds & ~high)) break;
        state = carry != 0 ? kNeedGraphic : kStart;
        continue;
      }
    }
    const unsigned next = kEucDfa.Run(state, b, b + kByteBlock, kStart);
    if (next == kError) break;
    state = next;
  }
  return done;
}

}  // namespace

void EucJpProbe::Validate(std::span<const std::uint8_t> bytes) {
  if (!errors_.None() || bytes.empty()) return ValidateScalar(bytes);
  unsigned state = need_ == 0         ? kStart
                   : first_ == kSs2   ? kNeedKana
                   : first_ != kSs3   ? kNeedGraphic
                   : need_ == 2       ? kSs3First
                                      : kSs3Second;
  const std::size_t blocks = CleanBlocks(state, bytes.data(), bytes.size());
  const unsigned exit = kEucDfa.Run(state, bytes.data() + blocks, bytes.data() + bytes.size(), kStart);
  if (exit == kError) return ValidateScalar(bytes);
  switch (exit) {
    case kStart: need_ = 0; break;
    case kNeedGraphic: first_ = bytes.back(); need_ = 1; break;
    case kNeedKana: first_ = kSs2; need_ = 1; break;
    case kSs3First: first_ = kSs3; need_ = 2; break;
    case kSs3Second: first_ = kSs3; second_ = bytes.back(); need_ = 1; break;
  }
  position_ += bytes.size();
}

template <bool kStats>
void EucJpProbe::Complete(CharClass c) {
  previousHalf_ = 0;
  if constexpr (kStats) {
    ++multibyte_;
    model_.Add(c);
  }
  need_ = 0;
}

template <bool kStats>
void EucJpProbe::Byte(std::uint8_t b) {
  ++position_;
  if (need_ != 0) {
    const bool ok = first_ == kSs2 ? (b >= 0xA1 && b <= 0xDF) : IsGraphic(b);
    if (ok) {
      if (first_ == kSs2) {
        const std::uint8_t previous = previousHalf_;
        Complete<kStats>(HalfKanaClass(b, previous));
        previousHalf_ = b;
      } else if (first_ == kSs3 && need_ == 2) {
        second_ = b;
        need_ = 1;
      } else if (first_ == kSs3) {
        Complete<kStats>(Jis0212Assigned(second_ - 0xA1, b - 0xA1) ? CharClass::RareKanji
                                                           : CharClass::Unassigned);
      } else {
        Complete<kStats>(Jis0208Class(first_, b));
      }
      return;
    }
    errors_.Add(position_);  // the sequence is lost; `b` starts over below
    need_ = 0;
  }
  if (b < 0x80) {
    previousHalf_ = 0;
    if constexpr (kStats) model_.AddAscii();
  } else if (b == kSs2) {
    first_ = b;
    need_ = 1;
  } else if (b == kSs3) {
    first_ = b;
    need_ = 2;
  } else if (IsGraphic(b)) {
    first_ = b;
    need_ = 1;
  } else {
    errors_.Add(position_);
  }
}

void EucJpProbe::Scan(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  while (p < end) {
    if (need_ == 0 && *p < 0x80) {  // a run of ASCII at once
      p = TakeAsciiRun(p, end, model_, position_);
      previousHalf_ = 0;
      continue;
    }
    Byte<true>(*p++);
  }
}

void EucJpProbe::ValidateScalar(std::span<const std::uint8_t> bytes) {
  if (!errors_.None()) return;
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  // Finish a character left open by the previous chunk the readable way.
  while (need_ != 0 && p < end && errors_.None()) Byte<false>(*p++);
  const std::uint64_t base = position_ - (p - bytes.data());
  while (p < end && errors_.None()) {
    p = SkipAscii(p, end);
    if (p == end) break;
    const std::uint8_t b = *p;
    if (IsGraphic(b) && end - p >= 2 && IsGraphic(p[1])) {
      p += 2;
    } else if (b == kSs2 && end - p >= 2 && p[1] >= 0xA1 && p[1] <= 0xDF) {
      p += 2;
    } else if (b == kSs3 && end - p >= 3 && IsGraphic(p[1]) && IsGraphic(p[2])) {
      p += 3;
    } else {
      // An error, or a character cut by the end of the chunk: the readable path decides.
      position_ = base + (p - bytes.data());
      while (p < end && errors_.None()) Byte<false>(*p++);
      if (!errors_.None()) return;  // position_ is left where the error stopped the scan
      break;
    }
  }
  position_ = base + bytes.size();
}

}  // namespace nkf::guess
