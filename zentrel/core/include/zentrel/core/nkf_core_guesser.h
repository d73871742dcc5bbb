#pragma once
// A guesser over the portable nkf32 core, linked directly (the command-line tool and tests). It can
// stream, so no file is too large for it.

#include <cstdint>
#include <optional>
#include <utility>

#include "nkf32/guess.h"
#include "zentrel/core/guesser.h"

namespace zentrel {

// The library's verdict behind a name, for a caller that hands it on to the converter instead of
// having the same bytes guessed again.
struct NkfGuess {
  nkf::GuessResult result;
  std::uint64_t bytes = 0;  // how many bytes were guessed
};

class NkfCoreGuesser final : public Guesser {
 public:
  std::wstring Guess(std::span<const std::uint8_t> bytes) override;
  // The stream reports its verdict to this guesser: it must not outlive it.
  std::unique_ptr<GuessStream> BeginStream() override;

  // The verdict of the latest guess finished (Guess, or a stream's Finish) since the last call;
  // nothing when no guess was finished since, so a verdict is never handed on twice.
  std::optional<NkfGuess> TakeLast() { return std::exchange(last_, std::nullopt); }

 private:
  std::optional<NkfGuess> last_;
};

}  // namespace zentrel
