#include "probe_utf8.h"

#include "probe_ascii_run.h"
#include "probe_shift_dfa.h"

namespace nkf::guess {

CharClass UnicodeClass(std::uint32_t cp) {
  if (cp >= 0x3041 && cp <= 0x309F) return CharClass::Hiragana;
  if (cp >= 0x30A0 && cp <= 0x30FF) return CharClass::Katakana;
  if (cp >= 0x4E00 && cp <= 0x9FFF) return CharClass::Kanji;
  if ((cp >= 0x3000 && cp <= 0x303F) || (cp >= 0xFF01 && cp <= 0xFF60) ||
      (cp >= 0xFFE0 && cp <= 0xFFEF) || (cp >= 0x2000 && cp <= 0x2BFF) ||
      (cp >= 0x0391 && cp <= 0x03C9) || (cp >= 0x0401 && cp <= 0x0451) || cp == 0xA7 || cp == 0xB0 || cp == 0xB4 || cp == 0xB6 ||
      cp == 0xD7 || cp == 0xF7)
    return CharClass::Symbol;
  if (cp >= 0xFF61 && cp <= 0xFF64) return CharClass::HalfPunct;
  if (cp >= 0xFF65 && cp <= 0xFF9F) return CharClass::HalfKana;
  if ((cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0xF900 && cp <= 0xFAFF)) return CharClass::RareKanji;
  if (cp >= 0x80 && cp <= 0x24F) return CharClass::Latin;
  if (cp >= 0xE000 && cp <= 0xF8FF) return CharClass::Unassigned;  // private use
  return CharClass::Other;
}

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
        model_.Add(UnicodeClass(codePoint_));
      }
      return;
    }
    errors_.Add(position_);  // the sequence is lost; `b` starts over below
    need_ = 0;
    low_ = 0x80;
    high_ = 0xBF;
  }
  if (b < 0x80) {
    if constexpr (kStats) model_.AddAscii();
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
      const std::uint8_t* run = SkipAscii(p, end);
      model_.AddAsciiRun(static_cast<std::size_t>(run - p));
      position_ += static_cast<std::uint64_t>(run - p);
      p = run;
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
  const unsigned exit = kUtf8Dfa.Run(entry, bytes.data(), bytes.data() + bytes.size(), kStart);
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
