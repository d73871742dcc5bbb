#pragma once
// Guessing through nkf32.dll, the way Zentrel has always asked it: set "-g", let the library read the
// examined bytes through a conversion into a one-byte buffer, then ask for the name it settled on.

#include "zentrel/core/guesser.h"

namespace zentrel {

class NkfDllGuesser final : public Guesser {
 public:
  // One buffer only: the library takes its input in a single call, so the engine refuses files
  // too large to hold in memory rather than streaming them.
  std::wstring Guess(std::span<const std::uint8_t> bytes) override;
};

}  // namespace zentrel
