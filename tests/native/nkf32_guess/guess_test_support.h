#pragma once
// Helpers shared by the guesser tests: byte views, readable encoding names, the samples.

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "nkf32/encoding.h"
#include "nkf32/guess.h"

namespace nkf {

// Exact names (with the byte order) so that a failing expectation says what went wrong.
inline std::string_view ExactName(Encoding e) {
  switch (e) {
    case Encoding::Utf16LE: return "UTF-16LE";
    case Encoding::Utf16BE: return "UTF-16BE";
    case Encoding::Utf32LE: return "UTF-32LE";
    case Encoding::Utf32BE: return "UTF-32BE";
    default: return EncodingName(e);
  }
}
inline void PrintTo(Encoding e, std::ostream* os) { *os << ExactName(e); }

}  // namespace nkf

namespace nkf::test {

using namespace std::string_view_literals;

inline std::span<const std::uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}
inline GuessResult Guess(std::string_view s) { return GuessEncoding(Bytes(s)); }

struct GuessSample {
  const char* name;
  Encoding expected;
  std::string_view bytes;
  std::vector<std::size_t> charStarts;  // where each character starts, then the end
};

#include "guess_samples.inc"

}  // namespace nkf::test
