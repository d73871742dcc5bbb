#pragma once
// 7-bit prober: ASCII, and ISO-2022-JP when escape sequences designate a Japanese set.

#include <cstdint>
#include <span>

namespace nkf::guess {

class Iso2022JpProbe {
 public:
  // The same state machine serves inside and past the statistics window (it keeps no
  // statistics); once a byte with the high bit set is seen there is nothing left to learn.
  void Feed(std::span<const std::uint8_t> bytes);

  bool SevenBit() const { return firstHighEnd_ == 0; }
  std::uint64_t FirstHighBitEnd() const { return firstHighEnd_; }  // 0: none
  // A complete escape designating JIS X 0208, JIS X 0212 or JIS X 0201 katakana was seen.
  bool Designated() const { return designated_; }

 private:
  void Byte(std::uint8_t b);

  enum class Esc : std::uint8_t { None, Start, Dollar, Paren, DollarParen, Ampersand };
  std::uint64_t position_ = 0;
  std::uint64_t firstHighEnd_ = 0;
  Esc escape_ = Esc::None;
  bool designated_ = false;
};

}  // namespace nkf::guess
