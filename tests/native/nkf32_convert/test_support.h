#pragma once
// Helpers shared by the converter tests.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "nkf32/convert.h"

namespace nkf::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

inline Bytes Oracle(const std::string& name) {
  std::ifstream f(std::string(NKF32_ORACLE_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline ConvertOptions Opts(std::string_view text) {
  OptionsResult r = ParseOptions(text);
  return r.options;
}

// Converts `in`, read as `from` (with or without a BOM), with the options text.
inline ConvertResult ConvertAs(const Bytes& in, Encoding from, std::string_view options, Bytes& out, bool bom = false) {
  GuessResult guess{from, bom, in.size()};
  return ConvertWithGuess(in, guess, Opts(options), out);
}

// The same through the general decode-then-encode path alone, which the direct paths must match.
inline ConvertResult ConvertGeneral(const Bytes& in, Encoding from, std::string_view options, Bytes& out) {
  out.clear();
  ConversionPlan plan;
  ConvertResult r = PlanConversion(Opts(options), GuessResult{from, false, in.size()}, plan);
  if (!r.ok()) return r;
  plan.directPaths = false;
  StreamConverter converter(plan);
  r = converter.Feed(in, out);
  if (r.ok()) r = converter.Finish(out);
  if (!r.ok()) out.clear();
  return r;
}

inline Bytes Convert(const Bytes& in, Encoding from, std::string_view options) {
  Bytes out;
  ConvertResult r = ConvertAs(in, from, options, out);
  if (!r.ok()) return B("<failed>");
  return out;
}

inline Bytes Concat(const Bytes& a, const Bytes& b) {
  Bytes r = a;
  r.insert(r.end(), b.begin(), b.end());
  return r;
}

}  // namespace nkf::test
