#pragma once
// EUC-JP prober: JIS X 0208 pairs, SS2 half-width kana, SS3 JIS X 0212 triples, and a
// plausibility score.

#include <cstdint>
#include <span>

#include "probe_errors.h"
#include "probe_text_model.h"

namespace nkf::guess {

class EucJpProbe {
 public:
  // Readable scalar pass: structure and statistics. Invalid bytes are counted and skipped.
  void Scan(std::span<const std::uint8_t> bytes);
  // Structure only, for bytes past the statistics window; nothing more once an error was seen.
  // Validate is the fast automaton; ValidateScalar the readable reference it is tested against
  // (and falls back on to find where an error is).
  void Validate(std::span<const std::uint8_t> bytes);
  void ValidateScalar(std::span<const std::uint8_t> bytes);

  const ProbeErrors& Errors() const { return errors_; }
  std::uint64_t MultibyteChars() const { return multibyte_; }
  const TextModel& Model() const { return model_; }
  // Bytes of a character the input ended inside of.
  unsigned UnfinishedBytes() const { return need_ == 0 ? 0 : first_ == 0x8F ? 3u - need_ : 1u; }

 private:
  // One byte through the state machine; statistics only inside the window (kStats).
  template <bool kStats>
  void Byte(std::uint8_t b);
  template <bool kStats>
  void Complete(CharClass c);

  std::uint64_t position_ = 0;
  // The bytes of the character under way (its first byte, and for SS3 the second); `need` is
  // how many more it takes.
  std::uint8_t first_ = 0;
  std::uint8_t second_ = 0;
  std::uint8_t need_ = 0;
  std::uint8_t previousHalf_ = 0;  // the half-width katakana just before, for its spelling
  std::uint64_t multibyte_ = 0;
  ProbeErrors errors_;
  TextModel model_;
};

}  // namespace nkf::guess
