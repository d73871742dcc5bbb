// The public guessing entry points: feed every prober, then let the arbiter decide.
#include "nkf32/guess.h"

#include <algorithm>
#include <array>

#include "guess_arbiter.h"
#include "guess_probes.h"
#include "guess_signatures.h"

namespace nkf {

struct EncodingGuesser::State {
  guess::Probes probes;
  std::uint64_t size = 0;
  std::array<std::uint8_t, guess::kSignatureHead> head{};  // for the byte-order mark and signatures
  std::size_t headSize = 0;
};

EncodingGuesser::EncodingGuesser() : state_(std::make_unique<State>()) {}
EncodingGuesser::~EncodingGuesser() = default;

void EncodingGuesser::Feed(std::span<const std::uint8_t> bytes) {
  State& s = *state_;
  const std::size_t toHead = std::min(bytes.size(), s.head.size() - s.headSize);
  std::copy_n(bytes.begin(), toHead, s.head.begin() + s.headSize);
  s.headSize += toHead;

  if (s.size < guess::kStatsWindow) {
    const std::size_t inWindow =
        static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), guess::kStatsWindow - s.size));
    s.probes.ScanWindow(bytes.first(inWindow));
    s.size += inWindow;
    bytes = bytes.subspan(inWindow);
  }
  if (!bytes.empty()) {
    s.probes.ValidatePastWindow(bytes);
    s.size += bytes.size();
  }
}

GuessResult EncodingGuesser::Finish() {
  const State& s = *state_;
  return guess::Decide(s.probes, std::span(s.head.data(), s.headSize), s.size);
}

GuessResult GuessEncoding(std::span<const std::uint8_t> bytes) {
  EncodingGuesser guesser;
  guesser.Feed(bytes);
  return guesser.Finish();
}

}  // namespace nkf
