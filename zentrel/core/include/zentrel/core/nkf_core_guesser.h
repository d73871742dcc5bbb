#pragma once
// A guesser over the portable nkf32 core, linked directly (the command-line tool and tests). It can
// stream, so no file is too large for it.

#include "zentrel/core/guesser.h"

namespace zentrel {

class NkfCoreGuesser final : public Guesser {
 public:
  std::wstring Guess(std::span<const std::uint8_t> bytes) override;
  std::unique_ptr<GuessStream> BeginStream() override;
};

}  // namespace zentrel
