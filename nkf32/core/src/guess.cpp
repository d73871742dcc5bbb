// Placeholder verdict (byte-order marks only) until the probers land.
#include "nkf32/guess.h"

#include <vector>

namespace nkf {

GuessResult GuessEncoding(std::span<const std::uint8_t> b) {
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return {Encoding::Utf8, true, 3};
  if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) return {Encoding::Utf16LE, true, 2};
  if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) return {Encoding::Utf16BE, true, 2};
  return {Encoding::Ascii, false, b.size()};
}

struct EncodingGuesser::State {
  std::vector<std::uint8_t> bytes;
};
EncodingGuesser::EncodingGuesser() : state_(std::make_unique<State>()) {}
EncodingGuesser::~EncodingGuesser() = default;
void EncodingGuesser::Feed(std::span<const std::uint8_t> b) { state_->bytes.insert(state_->bytes.end(), b.begin(), b.end()); }
GuessResult EncodingGuesser::Finish() { return GuessEncoding(state_->bytes); }

}  // namespace nkf
