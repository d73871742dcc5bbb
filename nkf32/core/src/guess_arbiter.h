#pragma once
// The arbiter: turns the probers' findings into one verdict.

#include <cstdint>
#include <span>

#include "guess_probes.h"
#include "nkf32/guess.h"

namespace nkf::guess {

// `head` is the first kSignatureHead bytes (or all of a shorter input); `size` the input size.
GuessResult Decide(const Probes& probes, std::span<const std::uint8_t> head, std::uint64_t size);

}  // namespace nkf::guess
