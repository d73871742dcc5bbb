#pragma once
// The invalid-sequence bookkeeping every byte-structure prober shares.

#include <cstdint>

namespace nkf::guess {

class ProbeErrors {
 public:
  // `end` counts the bytes examined when the invalid byte was seen (its position + 1).
  void Add(std::uint64_t end) {
    if (count_ == 0) firstEnd_ = end;
    ++count_;
  }
  bool None() const { return count_ == 0; }
  std::uint64_t Count() const { return count_; }
  std::uint64_t FirstEnd() const { return firstEnd_; }

 private:
  std::uint64_t count_ = 0;
  std::uint64_t firstEnd_ = 0;
};

}  // namespace nkf::guess
