#pragma once
// Byte counts that tell binary data from text: NUL bytes and control bytes text does not use.

#include <cstdint>
#include <span>

namespace nkf::guess {

struct ByteStats {
  std::uint64_t bytes = 0;
  std::uint64_t nuls = 0;
  // C0 controls other than tab, line ends, form feed, vertical tab, backspace (overstrike in
  // formatted manual pages) and escape (ISO-2022-JP, terminal colours); and DEL.
  std::uint64_t controls = 0;

  void Scan(std::span<const std::uint8_t> data) {
    bytes += data.size();
    for (const std::uint8_t b : data) {
      nuls += b == 0;
      controls += IsBinaryControl(b);
    }
  }

  static constexpr bool IsBinaryControl(std::uint8_t b) {
    return (b < 0x20 && b != 0 && b != 0x08 && b != 0x09 && b != 0x0A && b != 0x0B &&
            b != 0x0C && b != 0x0D && b != 0x1B) ||
           b == 0x7F;
  }
};

}  // namespace nkf::guess
