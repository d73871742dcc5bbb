#include "nkf32/file_convert.h"

#include <memory>

#include "platform/file_io.h"

namespace nkf {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

ConvertResult IoFailure(Encoding input = Encoding::Ascii) {
  ConvertResult r;
  r.error = ConvertError::Io;
  r.input = input;
  return r;
}

// Converts the whole of `in` (at its start) into the replacement file for `destination`.
ConvertResult ConvertInto(detail::SourceFile& in, std::uint8_t* buffer, const std::filesystem::path& destination,
                          const ConvertOptions& options, const GuessResult& guess) {
  ConvertResult result;
  result.input = guess.encoding;
  if (options.guessOnly) return result;
  ConversionPlan plan;
  result = PlanConversion(options, guess, plan);
  if (!result.ok()) return result;

  detail::ReplacementFile outFile;
  if (!outFile.Create(destination)) return IoFailure(guess.encoding);
  StreamConverter converter(plan);
  std::vector<std::uint8_t> out;
  out.reserve(kChunk * 2);
  for (;;) {
    std::ptrdiff_t n = in.Read(buffer, kChunk);
    if (n < 0) return IoFailure(guess.encoding);
    out.clear();
    result = n == 0 ? converter.Finish(out) : converter.Feed({buffer, static_cast<std::size_t>(n)}, out);
    if (!result.ok()) return result;
    if (!outFile.Write(out.data(), out.size())) return IoFailure(guess.encoding);
    if (n == 0) break;
  }
  in.Close();  // the source may be the destination: let the rename replace it
  if (!outFile.Commit()) return IoFailure(guess.encoding);
  return result;
}

}  // namespace

ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options) {
  detail::SourceFile in;
  if (!in.Open(source)) return IoFailure();
  auto buffer = std::make_unique<std::uint8_t[]>(kChunk);

  // Pass 1: the guess needs the whole input before the first byte can be written.
  EncodingGuesser guesser;
  for (;;) {
    std::ptrdiff_t n = in.Read(buffer.get(), kChunk);
    if (n < 0) return IoFailure();
    if (n == 0) break;
    guesser.Feed({buffer.get(), static_cast<std::size_t>(n)});
  }
  GuessResult guess = guesser.Finish();

  // Pass 2: convert chunk by chunk into the replacement file.
  if (!options.guessOnly && !in.Rewind()) return IoFailure(guess.encoding);
  return ConvertInto(in, buffer.get(), destination, options, guess);
}

ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, const GuessResult& guess) {
  detail::SourceFile in;
  if (!in.Open(source)) return IoFailure(guess.encoding);
  auto buffer = std::make_unique<std::uint8_t[]>(kChunk);
  return ConvertInto(in, buffer.get(), destination, options, guess);
}

}  // namespace nkf
