#pragma once
// Telling the user why a file could not be converted: the library reports the kind of failure and
// a byte offset; a person looking for the character wants its line.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "nkf32/convert.h"
#include "zentrel/core/file_system.h"

namespace zentrel::cli {

// Counts line ends in the code units of the input encoding (bytes, or UTF-16 / UTF-32 units in
// their byte order), so a 0x0A byte inside a UTF-16 character is not taken for a line end. CR LF,
// a lone CR and a lone LF each end one line.
class LineCounter {
 public:
  explicit LineCounter(nkf::Encoding input);
  void Feed(std::span<const std::uint8_t> bytes);
  std::uint64_t line() const { return line_; }  // 1-based line of the next unit

 private:
  void Unit(std::uint32_t unit);

  std::size_t unitSize_ = 1;
  bool bigEndian_ = false;
  std::uint8_t pending_[4] = {};
  std::size_t pendingSize_ = 0;
  bool afterCr_ = false;
  std::uint64_t line_ = 1;
};

// The line holding input byte `offset` of the file (read from its start; 0 when it cannot be read).
std::uint64_t LineAtOffset(ReadableFile& file, nkf::Encoding input, std::uint64_t offset);

// "character U+1F600 at line 3 cannot be written in Shift_JIS", "invalid EUC-JP byte at offset
// 17", ... `targetName` names the output encoding; `line` is used for unrepresentable characters.
std::string DescribeFailure(const nkf::ConvertResult& result, std::string_view targetName,
                            std::uint64_t line);

}  // namespace zentrel::cli
