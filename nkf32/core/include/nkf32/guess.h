#pragma once
// Guessing the encoding of a byte sequence.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "nkf32/encoding.h"

namespace nkf {

struct GuessResult {
  Encoding encoding = Encoding::Ascii;
  bool hasBom = false;            // the input starts with this encoding's byte-order mark
  std::uint64_t decidedAt = 0;    // bytes examined when the verdict became certain (input size when never)
};

// Guesses the encoding of `bytes`. The input may be a prefix of a longer file (the first 1000
// bytes, say): a multibyte sequence cut off at the very end never counts against an encoding.
// Empty input is ASCII. Every byte is checked against each encoding's structure; the statistics
// that weigh readings valid in several encodings (and find UTF-16 without a byte-order mark or
// binary data) come from the first 64 KiB.
GuessResult GuessEncoding(std::span<const std::uint8_t> bytes);

// The same verdict over input that arrives in chunks (a file of any size in bounded memory):
// Feed(a); Feed(b); Finish() == GuessEncoding(a + b).
class EncodingGuesser {
 public:
  EncodingGuesser();
  ~EncodingGuesser();
  EncodingGuesser(const EncodingGuesser&) = delete;
  EncodingGuesser& operator=(const EncodingGuesser&) = delete;

  void Feed(std::span<const std::uint8_t> bytes);
  GuessResult Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace nkf
