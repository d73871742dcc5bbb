#pragma once
// Naming the encoding of examined bytes ("Shift_JIS", "UTF-16", "BINARY", ...).

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace zentrel {

// A guess over input that arrives in chunks; Feed(a), Feed(b), Finish() names a + b.
class GuessStream {
 public:
  virtual ~GuessStream() = default;
  virtual void Feed(std::span<const std::uint8_t> bytes) = 0;
  virtual std::wstring Finish() = 0;
};

class Guesser {
 public:
  virtual ~Guesser() = default;
  virtual std::wstring Guess(std::span<const std::uint8_t> bytes) = 0;
  // nullptr when this guesser can only judge one buffer (the engine then refuses inputs too large
  // to hold in memory instead of streaming them).
  virtual std::unique_ptr<GuessStream> BeginStream() { return nullptr; }
};

}  // namespace zentrel
