#include "zentrel/core/nkf_core_guesser.h"

#include "nkf32/guess.h"

namespace zentrel {

namespace {

// Encoding names are ASCII.
std::wstring Widen(std::string_view name) { return std::wstring(name.begin(), name.end()); }

class NkfCoreGuessStream final : public GuessStream {
 public:
  void Feed(std::span<const std::uint8_t> bytes) override { guesser_.Feed(bytes); }
  std::wstring Finish() override { return Widen(nkf::EncodingName(guesser_.Finish().encoding)); }

 private:
  nkf::EncodingGuesser guesser_;
};

}  // namespace

std::wstring NkfCoreGuesser::Guess(std::span<const std::uint8_t> bytes) {
  return Widen(nkf::EncodingName(nkf::GuessEncoding(bytes).encoding));
}

std::unique_ptr<GuessStream> NkfCoreGuesser::BeginStream() {
  return std::make_unique<NkfCoreGuessStream>();
}

}  // namespace zentrel
