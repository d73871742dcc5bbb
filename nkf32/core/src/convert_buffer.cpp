#include "nkf32/convert.h"

namespace nkf {

ConvertResult ConvertBuffer(std::span<const std::uint8_t> input, const ConvertOptions& options,
                            std::vector<std::uint8_t>& output) {
  output.clear();
  GuessResult guess = GuessEncoding(input);
  if (options.guessOnly) {
    ConvertResult result;
    result.input = guess.encoding;
    return result;
  }
  return ConvertWithGuess(input, guess, options, output);
}

ConvertResult ConvertWithGuess(std::span<const std::uint8_t> input, const GuessResult& guess,
                               const ConvertOptions& options, std::vector<std::uint8_t>& output) {
  output.clear();
  ConversionPlan plan;
  ConvertResult result = PlanConversion(options, guess, plan);
  if (!result.ok()) return result;
  output.reserve(input.size() + input.size() / 2 + 16);
  StreamConverter converter(plan);
  result = converter.Feed(input, output);
  if (result.ok()) result = converter.Finish(output);
  if (!result.ok()) output.clear();
  return result;
}

}  // namespace nkf
