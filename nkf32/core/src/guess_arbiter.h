#pragma once
// The arbiter: turns the probers' findings into one verdict.

#include <cstdint>
#include <optional>
#include <span>

#include "guess_probes.h"
#include "nkf32/guess.h"

namespace nkf::guess {

// `head` is the first kSignatureHead bytes (or all of a shorter input); `size` the input size.
GuessResult Decide(const Probes& probes, std::span<const std::uint8_t> head, std::uint64_t size);

// What Decide reads, so that a caller holding the whole input can gather only that:
// - the verdict of the head alone (empty input, byte-order mark, binary signature), when it has
//   one: then nothing else is read;
std::optional<GuessResult> DecideByHead(std::span<const std::uint8_t> head, std::uint64_t size);
// - otherwise the byte statistics and both UTF-16 probers' counts;
// - when these make the UTF-16 reading win on its own (Utf16ByCountsAlone): nothing more;
bool Utf16ByCountsAlone(const Probes& probes);
// - otherwise the 7-bit prober;
// - the text model of the UTF-16 reading Utf16ModelRead names (none: not read);
const Utf16Probe* Utf16ModelRead(const Probes& probes);
// - for input with a byte above 0x7F, the 8-bit probers' errors (None and FirstEnd) and
//   Shift_JIS's extension flag; the full statistics (scores, unfinished bytes, multibyte and
//   error counts) of the clean readings when two or three are clean or the UTF-16 model is
//   read, and of all three when none is clean.

}  // namespace nkf::guess
