#pragma once
// The validators' fast path: a byte automaton whose transitions for one input byte are packed in
// one 64-bit word. The state is a bit offset (a multiple of 6) and the next state is the six
// bits found there, so a step is one table load (independent of the state, hence pipelined)
// and one shift: no branch per byte, about a cycle a byte.

#include <array>
#include <cstdint>

#include "probe_ascii_run.h"

namespace nkf::guess {

class ShiftDfa {
 public:
  static constexpr unsigned kMaxStates = 10;

  // Every transition not set leads to `error`.
  constexpr explicit ShiftDfa(unsigned error) : error_(error) {
    for (auto& row : rows_)
      for (unsigned s = 0; s < kMaxStates; ++s) row |= std::uint64_t{error * 6} << (s * 6);
  }

  constexpr void Set(unsigned from, unsigned byte, unsigned to) {
    std::uint64_t& row = rows_[byte];
    row = (row & ~(std::uint64_t{63} << (from * 6))) | (std::uint64_t{to * 6} << (from * 6));
  }
  constexpr void SetRange(unsigned from, unsigned lo, unsigned hi, unsigned to) {
    for (unsigned b = lo; b <= hi; ++b) Set(from, b, to);
  }

  // Runs the automaton from state `state` (a state number, not an offset) over [p, end). Runs
  // of 7-bit bytes met in state `ascii` (where 7-bit bytes lead back to it) are skipped eight
  // bytes at a time. The error state leads nowhere else, so the run stops soon after it.
  unsigned Run(unsigned state, const std::uint8_t* p, const std::uint8_t* end, unsigned ascii) const {
    std::uint64_t s = state * 6;
    while (end - p >= 32) {
      if ((s & 63) == ascii * 6) p = SkipAscii(p, end - 16);
      if ((s & 63) == error_ * 6) return error_;
      for (const std::uint8_t* block = p + 16; p != block; ++p) s = rows_[*p] >> (s & 63);
    }
    for (; p != end; ++p) s = rows_[*p] >> (s & 63);
    return static_cast<unsigned>(s & 63) / 6;
  }

 private:
  std::array<std::uint64_t, 256> rows_{};
  unsigned error_;
};

}  // namespace nkf::guess
