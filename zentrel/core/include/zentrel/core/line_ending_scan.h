#pragma once
// Classifying the line endings of the examined bytes of a file.
//
// ByteLineEndingScan is the byte scan every file gets unless it is UTF-16 or UTF-32: CR LF (also as
// the two-byte-unit sequences 0D 00 0A 00 and 00 0D 00 0A), lone CR and lone LF, with a conflicting
// line end forgiven only at its tail position (a CR LF starting 3 bytes before the end, a four-byte
// CR LF starting 5 before the end, a lone CR or LF as the last byte).
//
// UnitLineEndingScan classifies UTF-16 or UTF-32 text on whole code units in a given byte order,
// because the byte scan mistakes units such as U+4E0A (bytes 0A 4E) for line ends. Its tail
// positions are the byte scan's, counted in units (a CR LF pair starting 3 units before the end, a
// lone CR or LF as the last unit); a trailing partial unit is ignored.
//
// Both take the input whole (Scan) or in chunks of any size (Feed ... Finish) with the same result.

#include <cstddef>
#include <cstdint>
#include <span>

#include "zentrel/core/chunk_carry.h"
#include "zentrel/core/line_ending.h"

namespace zentrel {

struct ByteScanResult {
  LineEnding lineEnding = LineEnding::None;  // over every byte scanned
  bool sawNul = false;                       // a NUL byte that is not part of a four-byte CR LF
  LineEnding lineEndingAtFirstNul = LineEnding::None;  // the verdict of the bytes before that NUL
};

class ByteLineEndingScan {
 public:
  // stopAtFirstNul: the caller already knows a NUL ends the scan, so later bytes need not be read.
  explicit ByteLineEndingScan(bool stopAtFirstNul) : stopAtFirstNul_(stopAtFirstNul) {}

  void Feed(std::span<const std::uint8_t> bytes);
  ByteScanResult Finish();

  static ByteScanResult Scan(std::span<const std::uint8_t> bytes, bool stopAtFirstNul);

 private:
  static constexpr std::size_t kKeep = 6;  // 3 bytes of look-ahead, and no tail position before n-5
  std::size_t Run(const std::uint8_t* data, std::size_t length, bool final);

  bool stopAtFirstNul_;
  bool stopped_ = false;
  ByteScanResult result_;
  ChunkCarry<kKeep> carry_;
};

enum class ByteOrder : std::uint8_t { Little, Big };

class UnitLineEndingScan {
 public:
  // unitSize: 2 (UTF-16) or 4 (UTF-32; any other value counts as 2).
  UnitLineEndingScan(std::size_t unitSize, ByteOrder order) : unitSize_(unitSize), order_(order) {}

  void Feed(std::span<const std::uint8_t> bytes);
  LineEnding Finish();

  static LineEnding Scan(std::span<const std::uint8_t> bytes, std::size_t unitSize,
                         ByteOrder order);

 private:
  static constexpr std::size_t kKeepUnits = 4;  // 1 unit of look-ahead, no tail position before m-3
  std::size_t Run(const std::uint8_t* data, std::size_t length, bool final);

  std::size_t unitSize_;
  ByteOrder order_;
  LineEnding state_ = LineEnding::None;
  ChunkCarry<kKeepUnits * 4> carry_;
};

}  // namespace zentrel
