#pragma once
// All probers of one guess, fed the same bytes. Inside the statistics window every prober
// keeps its statistics; past it only the byte-structure validators run (fast), so a guess over
// a whole file costs a single cheap pass after the first kStatsWindow bytes.

#include <cstdint>
#include <span>

#include "guess_byte_stats.h"
#include "probe_eucjp.h"
#include "probe_iso2022jp.h"
#include "probe_sjis.h"
#include "probe_utf16.h"
#include "probe_utf8.h"

namespace nkf::guess {

// Statistics (plausibility, UTF-16 unit classes, NUL and control counts) come from the first
// 64 KiB: enough to judge any text, and it bounds the cost of the slow readable pass.
inline constexpr std::uint64_t kStatsWindow = 64 * 1024;

struct Probes {
  ByteStats bytes;
  Iso2022JpProbe sevenBit;
  Utf8Probe utf8;
  SjisProbe sjis;
  EucJpProbe eucjp;
  Utf16Probe utf16le{false};
  Utf16Probe utf16be{true};

  void ScanWindow(std::span<const std::uint8_t> data) {
    bytes.Scan(data);
    sevenBit.Feed(data);
    utf8.Scan(data);
    sjis.Scan(data);
    eucjp.Scan(data);
    utf16le.Scan(data);
    utf16be.Scan(data);
  }

  void ValidatePastWindow(std::span<const std::uint8_t> data) {
    sevenBit.Feed(data);
    utf8.Validate(data);
    sjis.Validate(data);
    eucjp.Validate(data);
  }
};

}  // namespace nkf::guess
