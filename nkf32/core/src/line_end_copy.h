#pragma once
// Line-end rewriting on raw code units, for conversions that keep the encoding (the bytes are only
// validated and copied, so vendor codes such as CP932's NEC-selected IBM characters stay as they are).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "nkf32/options.h"

namespace nkf::detail {

struct UnitFormat {
  std::size_t size = 1;    // 1 for byte encodings, 2 for UTF-16, 4 for UTF-32
  bool bigEndian = false;
};

// Appends `in` (whole units) to `out` with every CR LF, lone CR and lone LF written as `ending`
// (Keep copies as is). A CR at the end of `in` waits in `pendingCr` for the next piece, which may start
// with its LF; FlushLineEnd writes it at the end of the input.
void CopyWithLineEnds(const std::uint8_t* in, std::size_t n, UnitFormat unit, LineEnding ending, bool& pendingCr,
                      std::vector<std::uint8_t>& out);
void FlushLineEnd(UnitFormat unit, LineEnding ending, bool& pendingCr, std::vector<std::uint8_t>& out);

}  // namespace nkf::detail
