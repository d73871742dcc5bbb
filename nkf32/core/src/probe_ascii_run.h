#pragma once
// The validators' fast path: skipping a run of 7-bit bytes eight at a time.

#include <cstdint>
#include <cstring>

namespace nkf::guess {

// The first byte at or after `p` with its high bit set, or `end`.
inline const std::uint8_t* SkipAscii(const std::uint8_t* p, const std::uint8_t* end) {
  while (end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    if (word & 0x8080808080808080ull) break;
    p += 8;
  }
  while (p < end && *p < 0x80) ++p;
  return p;
}

}  // namespace nkf::guess
