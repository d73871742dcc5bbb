#include "probe_iso2022jp.h"

#include <cstring>

#include "probe_ascii_run.h"

namespace nkf::guess {
namespace {

constexpr std::uint8_t kEsc = 0x1B;

// The first byte at or after `p` that is ESC or has its high bit set, or `end`; eight bytes at a
// time (a zero byte in word ^ ESC-pattern marks an ESC).
const std::uint8_t* SkipAsciiWithoutEscape(const std::uint8_t* p, const std::uint8_t* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    const std::uint64_t esc = word ^ (kOnes * kEsc);
    if ((word | ((esc - kOnes) & ~esc)) & kHigh) break;
    p += 8;
  }
  while (p < end && *p < 0x80 && *p != kEsc) ++p;
  return p;
}

}  // namespace

// Designations recognised: ESC $ @, ESC $ B (JIS X 0208), ESC $ ( D (JIS X 0212),
// ESC $ ( O / Q (JIS X 0213), ESC ( I (half-width katakana). ESC ( B / J / H and ESC & @
// are valid but name only ASCII or a revision, so alone they do not make the text ISO-2022-JP.
// Anything else after ESC is some other use of the byte (terminal colours): no error.
void Iso2022JpProbe::Byte(std::uint8_t b) {
  ++position_;
  switch (escape_) {
    case Esc::None:
      if (b == kEsc) escape_ = Esc::Start;
      return;
    case Esc::Start:
      escape_ = b == '$' ? Esc::Dollar : b == '(' ? Esc::Paren : b == '&' ? Esc::Ampersand : Esc::None;
      break;
    case Esc::Dollar:
      if (b == '@' || b == 'B') designated_ = true;
      escape_ = b == '(' ? Esc::DollarParen : Esc::None;
      break;
    case Esc::DollarParen:
      if (b == 'D' || b == 'O' || b == 'Q' || b == 'B' || b == '@') designated_ = true;
      escape_ = Esc::None;
      break;
    case Esc::Paren:
      if (b == 'I') designated_ = true;
      escape_ = Esc::None;
      break;
    case Esc::Ampersand:
      escape_ = Esc::None;
      break;
  }
  if (escape_ == Esc::None && b == kEsc) escape_ = Esc::Start;
}

void Iso2022JpProbe::Feed(std::span<const std::uint8_t> bytes) {
  if (!SevenBit()) return;
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  while (p != end) {
    // Once a designation was seen only the first 8-bit byte is left to find; before that, runs
    // without ESC skip the state machine too, unless an escape sequence is under way.
    const std::uint8_t* next = designated_                ? SkipAscii(p, end)
                               : escape_ == Esc::None     ? SkipAsciiWithoutEscape(p, end)
                                                          : p;
    position_ += static_cast<std::uint64_t>(next - p);
    p = next;
    if (p == end) break;
    if (*p >= 0x80) {
      firstHighEnd_ = position_ + 1;
      return;
    }
    Byte(*p++);
  }
}

}  // namespace nkf::guess
