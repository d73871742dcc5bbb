#pragma once
// Strict UTF-8 prober: no overlong forms, no surrogates, nothing above U+10FFFF; and a
// plausibility score of the decoded characters.

#include <cstdint>
#include <span>

#include "probe_errors.h"
#include "probe_text_model.h"

namespace nkf::guess {

class Utf8Probe {
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
  unsigned UnfinishedBytes() const { return need_ == 0 ? 0 : length_ - need_; }

 private:
  template <bool kStats>
  void Byte(std::uint8_t b);

  std::uint64_t position_ = 0;
  std::uint32_t codePoint_ = 0;  // bits gathered so far of the character under way
  std::uint8_t need_ = 0;        // continuation bytes still to come
  std::uint8_t length_ = 0;      // length of the character under way
  std::uint8_t low_ = 0x80;      // the range the next continuation byte must lie in
  std::uint8_t high_ = 0xBF;
  std::uint64_t multibyte_ = 0;
  ProbeErrors errors_;
  TextModel model_;
};

// The class of a Unicode scalar value in the text model (shared with the UTF-16 prober).
CharClass UnicodeClass(std::uint32_t cp);

}  // namespace nkf::guess
