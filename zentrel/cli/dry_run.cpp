#include "dry_run.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zentrel::cli {

namespace {

constexpr std::size_t kChunk = std::size_t{256} << 10;

nkf::ConvertResult ReadFailure(nkf::Encoding input = nkf::Encoding::Ascii) {
  nkf::ConvertResult result;
  result.error = nkf::ConvertError::Io;
  result.input = input;
  return result;
}

}  // namespace

nkf::ConvertResult DryRunConversion(FileSystem& files, const std::wstring& path,
                                    const nkf::ConvertOptions& options) {
  std::vector<std::uint8_t> chunk(kChunk);
  std::unique_ptr<ReadableFile> file = files.Open(path);
  if (!file) return ReadFailure();
  // The converter needs the whole input's verdict before its first byte, as in a real run.
  nkf::EncodingGuesser guesser;
  while (const std::size_t got = file->Read(chunk)) guesser.Feed(std::span(chunk.data(), got));
  const nkf::GuessResult guess = guesser.Finish();
  nkf::ConversionPlan plan;
  nkf::ConvertResult result = nkf::PlanConversion(options, guess, plan);
  if (!result.ok()) return result;

  file = files.Open(path);
  if (!file) return ReadFailure(guess.encoding);
  nkf::StreamConverter converter(plan);
  std::vector<std::uint8_t> discarded;
  for (;;) {
    const std::size_t got = file->Read(chunk);
    discarded.clear();
    result = got == 0 ? converter.Finish(discarded)
                      : converter.Feed(std::span(chunk.data(), got), discarded);
    if (!result.ok() || got == 0) return result;
  }
}

}  // namespace zentrel::cli
