#pragma once
// Lets a scan that needs a few bytes of look-ahead run over input arriving in chunks of any size.
//
// The scan supplies run(data, length, final) -> bytes consumed. Before the end (final false) it
// must decide only positions followed by at least Keep bytes, so its look-ahead and its tail rule
// (which concerns the last few positions of the whole input) never depend on bytes not yet seen;
// with final true, `data` ends where the input ends. Bytes left over wait here for the next chunk.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace zentrel {

template <std::size_t Keep>
class ChunkCarry {
 public:
  template <class Run>
  void Feed(std::span<const std::uint8_t> chunk, Run&& run) {
    std::size_t taken = 0;
    if (length_ > 0) {
      // Complete the held bytes with the chunk's first bytes, decide what can be decided, and hand
      // any undecided chunk bytes back so the rest of the chunk is scanned in place.
      const std::size_t topUp = chunk.size() < Keep ? chunk.size() : Keep;
      if (topUp > 0) std::memcpy(held_.data() + length_, chunk.data(), topUp);
      length_ += topUp;
      taken = topUp;
      const std::size_t rest = length_ - run(held_.data(), length_, false);
      if (rest > topUp) {
        std::memmove(held_.data(), held_.data() + length_ - rest, rest);
        length_ = rest;
        return;  // the chunk was too short to get past the held bytes
      }
      taken -= rest;
      length_ = 0;
    }
    const std::size_t remaining = chunk.size() - taken;
    const std::size_t rest = remaining - run(chunk.data() + taken, remaining, false);
    if (rest > 0) std::memcpy(held_.data(), chunk.data() + chunk.size() - rest, rest);
    length_ = rest;
  }

  template <class Run>
  void Finish(Run&& run) {
    run(held_.data(), length_, true);
    length_ = 0;
  }

 private:
  // At most Keep - 1 bytes are held between chunks, plus Keep while topping up.
  std::array<std::uint8_t, 2 * Keep> held_{};
  std::size_t length_ = 0;
};

}  // namespace zentrel
