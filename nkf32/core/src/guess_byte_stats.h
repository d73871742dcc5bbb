#pragma once
// Byte counts that tell binary data from text: NUL bytes and control bytes text does not use.

#include <cstdint>
#include <span>

namespace nkf::guess {

constexpr bool InByteRange(std::uint8_t b, std::uint8_t first, std::uint8_t last) {
  return static_cast<std::uint8_t>(b - first) <= static_cast<std::uint8_t>(last - first);
}

struct ByteStats {
  std::uint64_t bytes = 0;
  std::uint64_t nuls = 0;
  // C0 controls other than tab, line ends, form feed, vertical tab, backspace (overstrike in
  // formatted manual pages) and escape (ISO-2022-JP, terminal colours); and DEL.
  std::uint64_t controls = 0;

  void Scan(std::span<const std::uint8_t> data) {
    bytes += data.size();
    // Narrow counters and one addition per range of controls (the ranges are disjoint, so the sum
    // is IsBinaryControl): the form the compiler counts sixteen bytes at a time in. A chunk of
    // the statistics window fits the counters.
    std::uint32_t zero = 0, control = 0;
    for (const std::uint8_t b : data) {
      zero += b == 0;
      control += InByteRange(b, 0x01, 0x07);
      control += InByteRange(b, 0x0E, 0x1A);
      control += InByteRange(b, 0x1C, 0x1F);
      control += b == 0x7F;
    }
    nuls += zero;
    controls += control;
  }

  static constexpr bool IsBinaryControl(std::uint8_t b) {
    return (b < 0x20 && b != 0 && b != 0x08 && b != 0x09 && b != 0x0A && b != 0x0B &&
            b != 0x0C && b != 0x0D && b != 0x1B) ||
           b == 0x7F;
  }

};

// The ranges Scan counts are exactly the binary controls, each byte in one range at most.
constexpr bool ControlRangesMatch() {
  for (unsigned b = 0; b < 256; ++b) {
    const auto c = static_cast<std::uint8_t>(b);
    const int inRanges = InByteRange(c, 0x01, 0x07) + InByteRange(c, 0x0E, 0x1A) + InByteRange(c, 0x1C, 0x1F) + (c == 0x7F);
    if (inRanges != (ByteStats::IsBinaryControl(c) ? 1 : 0)) return false;
  }
  return true;
}
static_assert(ControlRangesMatch());

}  // namespace nkf::guess
