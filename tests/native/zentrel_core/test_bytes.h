#pragma once
// Byte helpers for the core tests: inputs are written as string literals with hex escapes.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zentrel::testing {

inline std::span<const std::uint8_t> AsBytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

inline std::vector<std::uint8_t> ToVector(std::string_view text) {
  const auto bytes = AsBytes(text);
  return {bytes.begin(), bytes.end()};
}

// The UTF-16 code units of `units` in the given byte order, as bytes.
inline std::string Utf16Bytes(std::u16string_view units, bool bigEndian) {
  std::string out;
  for (char16_t u : units) {
    const char low = static_cast<char>(u & 0xFF);
    const char high = static_cast<char>(u >> 8);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}

}  // namespace zentrel::testing
