#include "zentrel/core/nkf_core_guesser.h"

namespace zentrel {

namespace {

// Encoding names are ASCII.
std::wstring Widen(std::string_view name) { return std::wstring(name.begin(), name.end()); }

class NkfCoreGuessStream final : public GuessStream {
 public:
  explicit NkfCoreGuessStream(std::optional<NkfGuess>& last) : last_(last) {}

  void Feed(std::span<const std::uint8_t> bytes) override {
    guesser_.Feed(bytes);
    bytes_ += bytes.size();
  }
  std::wstring Finish() override {
    last_ = NkfGuess{guesser_.Finish(), bytes_};
    return Widen(nkf::EncodingName(last_->result.encoding));
  }

 private:
  nkf::EncodingGuesser guesser_;
  std::uint64_t bytes_ = 0;
  std::optional<NkfGuess>& last_;
};

}  // namespace

std::wstring NkfCoreGuesser::Guess(std::span<const std::uint8_t> bytes) {
  last_ = NkfGuess{nkf::GuessEncoding(bytes), bytes.size()};
  return Widen(nkf::EncodingName(last_->result.encoding));
}

std::unique_ptr<GuessStream> NkfCoreGuesser::BeginStream() {
  return std::make_unique<NkfCoreGuessStream>(last_);
}

}  // namespace zentrel
