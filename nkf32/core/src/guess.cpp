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

namespace {

bool SameFlags(const guess::SjisProbe& a, const guess::SjisProbe& b) {
  return a.UsesCp932Extensions() == b.UsesCp932Extensions();
}
template <class Probe>
bool SameFlags(const Probe&, const Probe&) { return true; }

// The 8-bit readings of input held whole: the validators first over all of it (fast); the
// statistics, which cost several times more, only where the arbiter weighs them, and then as
// the stream gathers them: over the window, the validator past it. A single clean reading wins
// without its score unless the UTF-16 reading is weighed against it.
void ScanEightBitReadings(guess::Probes& p, std::span<const std::uint8_t> bytes, std::size_t window,
                          bool utf16Weighed) {
  p.utf8.Validate(bytes);
  p.sjis.Validate(bytes);
  p.eucjp.Validate(bytes);
  const int clean = p.utf8.Errors().None() + p.sjis.Errors().None() + p.eucjp.Errors().None();
  if (clean == 1 && !utf16Weighed) return;
  // With no clean reading, the error and character counts of all three decide.
  const auto rescan = [&](auto& probe) {
    if (clean != 0 && !probe.Errors().None()) return;
    const auto validated = probe;
    probe = {};
    probe.Scan(bytes.first(window));
    // Of a reading valid throughout, the structure past the window is known already: what the
    // arbiter reads there is its extension flag at most.
    if (bytes.size() > window && !(validated.Errors().None() && SameFlags(probe, validated)))
      probe.Validate(bytes.subspan(window));
  };
  rescan(p.utf8);
  rescan(p.sjis);
  rescan(p.eucjp);
}

}  // namespace

GuessResult GuessEncoding(std::span<const std::uint8_t> bytes) {
  // The whole input is at hand: gather only the evidence the arbiter will read (see
  // guess_arbiter.h), which spares most of the cost. The statistics cover the window as in the
  // stream, the structure all of the input; same verdict as the stream.
  const std::span<const std::uint8_t> head = bytes.first(std::min(bytes.size(), guess::kSignatureHead));
  if (auto byHead = guess::DecideByHead(head, bytes.size())) return *byHead;
  const std::size_t window = static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), guess::kStatsWindow));
  const std::span<const std::uint8_t> inWindow = bytes.first(window);
  guess::Probes p;
  p.bytes.Scan(inWindow);
  p.utf16le.CountUnits(inWindow);
  p.utf16be.CountUnits(inWindow);
  if (guess::Utf16ByCountsAlone(p)) return guess::Decide(p, head, bytes.size());
  p.sevenBit.Feed(bytes);
  const guess::Utf16Probe* utf16Read = guess::Utf16ModelRead(p);
  if (utf16Read) {
    guess::Utf16Probe& probe = utf16Read == &p.utf16le ? p.utf16le : p.utf16be;
    probe = guess::Utf16Probe(utf16Read == &p.utf16be);
    probe.Scan(inWindow);
  }
  if (!p.sevenBit.SevenBit()) ScanEightBitReadings(p, bytes, window, utf16Read != nullptr);
  return guess::Decide(p, head, bytes.size());
}

}  // namespace nkf
