// libFuzzer target for the encoding guesser: no crash, no sanitizer report, and the invariants
// callers rely on: chunked feeding equals one call, the verdict is certain no later than the
// input's end, and the fast validators agree with the readable ones.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "guess_probes.h"
#include "nkf32/guess.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

template <class Probe>
void CompareValidators(std::span<const std::uint8_t> bytes, std::size_t split) {
  Probe fast, readable;
  fast.Validate(bytes.first(split));
  fast.Validate(bytes.subspan(split));
  readable.ValidateScalar(bytes.first(split));
  readable.ValidateScalar(bytes.subspan(split));
  Check(fast.Errors().FirstEnd() == readable.Errors().FirstEnd());
  Check(fast.UnfinishedBytes() == readable.UnfinishedBytes());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const nkf::GuessResult whole = nkf::GuessEncoding(bytes);
  Check(whole.decidedAt <= size);
  Check(!nkf::EncodingName(whole.encoding).empty());

  // Chunk lengths taken from the input itself, so the fuzzer explores the splits too.
  nkf::EncodingGuesser guesser;
  std::size_t at = 0;
  for (std::size_t i = 0; at < size; ++i) {
    const std::size_t n = std::min<std::size_t>(size - at, 1 + data[i % size] % 17);
    guesser.Feed(bytes.subspan(at, n));
    at += n;
  }
  const nkf::GuessResult chunked = guesser.Finish();
  Check(chunked.encoding == whole.encoding && chunked.hasBom == whole.hasBom &&
        chunked.decidedAt == whole.decidedAt);

  const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
  CompareValidators<nkf::guess::Utf8Probe>(bytes, split);
  CompareValidators<nkf::guess::SjisProbe>(bytes, split);
  CompareValidators<nkf::guess::EucJpProbe>(bytes, split);
  return 0;
}
