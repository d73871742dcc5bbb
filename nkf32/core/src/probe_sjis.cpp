#include "probe_sjis.h"

#include "guess_cell_tables.h"
#include "probe_ascii_run.h"
#include "probe_byte_block.h"
#include "probe_shift_dfa.h"

namespace nkf::guess {
namespace {

constexpr bool IsLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsTrail(unsigned b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
constexpr bool IsHalfKana(unsigned b) { return b >= 0xA1 && b <= 0xDF; }
constexpr bool IsCp932Lead(unsigned b) { return b == 0x87 || b == 0xED || b == 0xEE || b >= 0xFA; }

// The JIS row (1-based) a Shift_JIS pair encodes; rows above 94 are the vendor areas.
unsigned JisRow(std::uint8_t lead, std::uint8_t trail) {
  const unsigned leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xC1;
  return leadIndex * 2 + (trail >= 0x9F ? 2 : 1);
}

CharClass PairClass(std::uint8_t lead, std::uint8_t trail) {
  if (!Cp932Assigned(lead, trail)) return CharClass::Unassigned;
  const unsigned row = JisRow(lead, trail);
  if (row == 4) return CharClass::Hiragana;
  if (row == 5) return CharClass::Katakana;
  if (row < 16) return CharClass::Symbol;
  if (row < 48) return CharClass::Kanji;
  return CharClass::RareKanji;
}

// The automaton's states: whether a vendor-extension character was completed is part of the
// state, so the flag needs no branch either.
enum SjisState : unsigned { kStart, kLead, kLeadCp932, kStartCp932, kLeadAfterCp932, kError };

constexpr ShiftDfa MakeSjisDfa() {
  ShiftDfa d(kError);
  for (const bool seen : {false, true}) {
    const unsigned start = seen ? kStartCp932 : kStart;
    const unsigned lead = seen ? kLeadAfterCp932 : kLead;
    for (unsigned b = 0; b < 256; ++b) {
      if (b < 0x80 || IsHalfKana(b)) d.Set(start, b, start);
      if (IsLead(b)) d.Set(start, b, !seen && IsCp932Lead(b) ? kLeadCp932 : lead);
      if (IsTrail(b)) d.Set(lead, b, start);
      if (IsTrail(b) && !seen) d.Set(kLeadCp932, b, kStartCp932);
    }
  }
  return d;
}
constexpr ShiftDfa kSjisDfa = MakeSjisDfa();

// The automaton's run over whole blocks of text, as bit masks: returns the bytes passed and
// leaves `state` as after them. Stops before a block with an error, which the automaton and the
// readable path then find.
std::size_t CleanBlocks(unsigned& state, const std::uint8_t* p, std::size_t size) {
  std::uint64_t carry = state == kLead || state == kLeadCp932 || state == kLeadAfterCp932;
  bool seen = state == kStartCp932 || state == kLeadAfterCp932;
  bool leadCp932 = state == kLeadCp932;  // the lead the block's first byte completes is a vendor one
  std::size_t done = 0;
  for (; size - done >= kByteBlock; done += kByteBlock) {
    const std::uint8_t* b = p + done;
    const std::uint64_t high = HighBytes(b);
    if (high == 0 && carry == 0) continue;
    const std::uint64_t leads = BytesIn(b, ByteRange{0x81, 0x9F}, ByteRange{0xE0, 0xFC});
    std::uint64_t next = carry;
    const std::uint64_t trails = PairSeconds(leads, next);
    const std::uint64_t badTrail = ~BytesIn(b, ByteRange{0x40, 0x7E}, ByteRange{0x80, 0xFC});
    const std::uint64_t badSingle = high & ~leads & ~BytesIn(b, ByteRange{0xA1, 0xDF});
    if ((trails & badTrail) | (~trails & badSingle)) break;
    if (!seen) {
      const std::uint64_t vendorLeads =
          BytesIn(b, ByteRange{0x87, 0x87}, ByteRange{0xED, 0xEE}, ByteRange{0xFA, 0xFC}) & leads & ~trails;
      // Counted once the pair is complete: inside the block, or by the block's first byte.
      seen = (vendorLeads & ~(std::uint64_t{1} << 63)) != 0 || (leadCp932 && carry != 0);
      leadCp932 = (vendorLeads >> 63) != 0;
    }
    carry = next;
  }
  state = carry != 0 ? (seen ? kLeadAfterCp932 : leadCp932 ? kLeadCp932 : kLead) : (seen ? kStartCp932 : kStart);
  return done;
}

}  // namespace

void SjisProbe::Validate(std::span<const std::uint8_t> bytes) {
  if (!errors_.None() || bytes.empty()) return ValidateScalar(bytes);
  unsigned state = lead_ == 0 ? (cp932_ ? kStartCp932 : kStart)
                   : cp932_   ? kLeadAfterCp932
                   : IsCp932Lead(lead_) ? kLeadCp932
                                        : kLead;
  const std::size_t blocks = CleanBlocks(state, bytes.data(), bytes.size());
  const bool seen = state == kStartCp932 || state == kLeadAfterCp932;
  const unsigned exit = kSjisDfa.Run(state, bytes.data() + blocks, bytes.data() + bytes.size(),
                                      seen ? kStartCp932 : kStart);
  if (exit == kError) return ValidateScalar(bytes);
  cp932_ = exit == kStartCp932 || exit == kLeadAfterCp932;
  lead_ = exit == kLead || exit == kLeadCp932 || exit == kLeadAfterCp932 ? bytes.back() : 0;
  position_ += bytes.size();
}

void SjisProbe::Pair(std::uint8_t lead, std::uint8_t trail) {
  if (IsCp932Lead(lead)) cp932_ = true;
  ++multibyte_;
  model_.Add(PairClass(lead, trail));
}

void SjisProbe::Scan(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  while (p < end) {
    if (lead_ == 0 && *p < 0x80) {  // a run of ASCII at once
      p = TakeAsciiRun(p, end, model_, position_);
      previousHalf_ = 0;
      continue;
    }
    const std::uint8_t b = *p++;
    ++position_;
    const std::uint8_t previousHalf = previousHalf_;
    previousHalf_ = 0;
    if (lead_ != 0) {
      const std::uint8_t lead = lead_;
      lead_ = 0;
      if (IsTrail(b)) {
        Pair(lead, b);
        continue;
      }
      errors_.Add(position_);  // the lead is lost; `b` starts over as a character of its own
    }
    if (b < 0x80) {
      model_.AddAscii();
    } else if (IsHalfKana(b)) {
      ++multibyte_;
      model_.Add(HalfKanaClass(b, previousHalf));
      previousHalf_ = b;
      continue;
    } else if (IsLead(b)) {
      lead_ = b;
    } else {
      errors_.Add(position_);
    }
  }
}

void SjisProbe::ValidateScalar(std::span<const std::uint8_t> bytes) {
  if (!errors_.None()) return;
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  const std::uint64_t base = position_;
  if (lead_ != 0 && p < end) {
    if (!IsTrail(*p)) {
      errors_.Add(base + 1);
      position_ += bytes.size();
      return;
    }
    if (IsCp932Lead(lead_)) cp932_ = true;
    lead_ = 0;
    ++p;
  }
  while (p < end) {
    p = SkipAscii(p, end);
    if (p == end) break;
    const std::uint8_t b = *p;
    if (IsHalfKana(b) || b < 0x80) {
      ++p;
    } else if (IsLead(b)) {
      if (p + 1 == end) {
        lead_ = b;
        ++p;
      } else if (IsTrail(p[1])) {
        if (IsCp932Lead(b)) cp932_ = true;
        p += 2;
      } else {
        errors_.Add(base + (p - bytes.data()) + 2);
        break;
      }
    } else {
      errors_.Add(base + (p - bytes.data()) + 1);
      break;
    }
  }
  position_ += bytes.size();
}

}  // namespace nkf::guess
