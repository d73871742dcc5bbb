#pragma once
// Turning the examined bytes and the guesser's name for them into the two texts of a result row.
//
// - "BINARY", or no bytes: no scan, no line ending.
// - "UTF-16" / "UTF-32": code units in the detected byte order; their NUL bytes are text.
// - anything else: the byte scan. A NUL byte (outside a four-byte CR LF) turns the encoding into
//   "BINARY" and ends the scan there, except for "UTF-8", where NUL is a valid character.
// Name comparisons are exact and case-sensitive: "UTF-16LE" is not "UTF-16".

#include <cstdint>
#include <span>
#include <string>

#include "zentrel/core/byte_order_evidence.h"
#include "zentrel/core/line_ending.h"
#include "zentrel/core/line_ending_scan.h"

namespace zentrel {

struct Verdict {
  std::wstring encoding;
  LineEnding lineEnding = LineEnding::None;
};

// The whole examined input in one buffer.
Verdict JudgeBytes(std::wstring guess, std::span<const std::uint8_t> bytes);

// The same verdict over input arriving in chunks, when the guess is known only at the end: every
// scan the guess might call for runs alongside, and Finish picks the one it names.
class StreamingJudge {
 public:
  void Feed(std::span<const std::uint8_t> bytes);
  Verdict Finish(std::wstring guess);

 private:
  std::uint64_t length_ = 0;
  ByteLineEndingScan bytes_{false};
  ByteOrderEvidence order_;
  UnitLineEndingScan utf16Little_{2, ByteOrder::Little};
  UnitLineEndingScan utf16Big_{2, ByteOrder::Big};
  UnitLineEndingScan utf32Little_{4, ByteOrder::Little};
  UnitLineEndingScan utf32Big_{4, ByteOrder::Big};
};

}  // namespace zentrel
