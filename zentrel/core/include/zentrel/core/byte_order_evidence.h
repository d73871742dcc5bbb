#pragma once
// Which byte order UTF-16 or UTF-32 text is in. The guesser only names the encoding ("UTF-16"), so
// the order comes from the bytes: a byte-order mark when there is one, otherwise where the zero
// bytes sit (Japanese and ASCII text in UTF-16LE has its zero high bytes at odd offsets). A tie,
// including no evidence at all, counts as little-endian, the order Windows writes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "zentrel/core/line_ending_scan.h"

namespace zentrel {

class ByteOrderEvidence {
 public:
  void Feed(std::span<const std::uint8_t> bytes);

  ByteOrder Utf16() const;
  ByteOrder Utf32() const;

 private:
  std::array<std::uint8_t, 4> head_{};
  std::size_t headLength_ = 0;
  std::uint64_t position_ = 0;
  std::array<std::uint64_t, 4> zerosAt_{};  // zero bytes by offset modulo 4
};

}  // namespace zentrel
