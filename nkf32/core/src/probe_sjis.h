#pragma once
// Shift_JIS / CP932 prober: byte structure, vendor-extension use, and a plausibility score.

#include <cstdint>
#include <span>

#include "probe_errors.h"
#include "probe_text_model.h"

namespace nkf::guess {

class SjisProbe {
 public:
  // Readable scalar pass: structure and statistics. Invalid bytes are counted and skipped.
  void Scan(std::span<const std::uint8_t> bytes);
  // Structure only, for bytes past the statistics window; nothing more once an error was seen.
  // Validate is the fast automaton; ValidateScalar the readable reference it is tested against
  // (and falls back on to find where an error is).
  void Validate(std::span<const std::uint8_t> bytes);
  void ValidateScalar(std::span<const std::uint8_t> bytes);

  const ProbeErrors& Errors() const { return errors_; }
  // A complete character with a lead byte of NEC row 13, NEC-selected IBM or IBM extensions.
  bool UsesCp932Extensions() const { return cp932_; }
  std::uint64_t MultibyteChars() const { return multibyte_; }  // half-width kana included
  const TextModel& Model() const { return model_; }
  // Bytes of a character the input ended inside of.
  unsigned UnfinishedBytes() const { return lead_ != 0 ? 1 : 0; }

 private:
  void Pair(std::uint8_t lead, std::uint8_t trail);

  std::uint64_t position_ = 0;  // bytes consumed so far
  std::uint8_t lead_ = 0;       // lead byte waiting for its trail byte; 0: none
  std::uint8_t previousHalf_ = 0;  // the half-width katakana just before, for its spelling
  bool cp932_ = false;
  std::uint64_t multibyte_ = 0;
  ProbeErrors errors_;
  TextModel model_;
};

}  // namespace nkf::guess
