#include "probe_iso2022jp.h"

namespace nkf::guess {
namespace {
constexpr std::uint8_t kEsc = 0x1B;
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
  for (const std::uint8_t b : bytes) {
    if (b >= 0x80) {
      firstHighEnd_ = position_ + 1;
      return;
    }
    Byte(b);
  }
}

}  // namespace nkf::guess
