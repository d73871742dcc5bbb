#pragma once
// The validators' fast path: skipping a run of 7-bit bytes eight at a time.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "probe_text_model.h"

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

// The scanners' step over a run of 7-bit bytes starting at `p` (which is one): the run goes into
// the text model at once and counts as consumed. Returns the first byte after it.
inline const std::uint8_t* TakeAsciiRun(const std::uint8_t* p, const std::uint8_t* end, TextModel& model,
                                        std::uint64_t& position) {
  const std::uint8_t* run = SkipAscii(p, end);
  model.AddAsciiRun(static_cast<std::size_t>(run - p));
  position += static_cast<std::uint64_t>(run - p);
  return run;
}

}  // namespace nkf::guess
