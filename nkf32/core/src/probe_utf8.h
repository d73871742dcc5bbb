#pragma once
// Strict UTF-8 prober: no overlong forms, no surrogates, nothing above U+10FFFF; and a
// plausibility score of the decoded characters.

#include <cstdint>
#include <span>

#include "guess_common_kanji.h"
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
  bool afterLetter_ = false;     // the last character was a letter of a Latin script (ASCII or accented)
  ProbeErrors errors_;
  TextModel model_;
};

// The class of a Unicode scalar value in the text model (shared with the UTF-16 prober, whose
// unit table is built from it). Kanji outside JIS level 1 are rare, as in the 8-bit readings, so
// that a reading costs the same whichever encoding carries the text.
constexpr CharClass UnicodeClass(std::uint32_t cp) {
  if (cp >= 0x3041 && cp <= 0x309F) return CharClass::Hiragana;
  if (cp >= 0x30A0 && cp <= 0x30FF) return CharClass::Katakana;
  if (cp >= 0x4E00 && cp <= 0x9FFF) return IsCommonKanji(cp) ? CharClass::Kanji : CharClass::RareKanji;
  if ((cp >= 0x3000 && cp <= 0x303F) || (cp >= 0x3200 && cp <= 0x33FF) || (cp >= 0xFF01 && cp <= 0xFF60) ||
      (cp >= 0xFFE0 && cp <= 0xFFEF) || (cp >= 0x2000 && cp <= 0x2BFF) ||
      (cp >= 0x0391 && cp <= 0x03C9) || (cp >= 0x0401 && cp <= 0x0451) || cp == 0xA7 || cp == 0xB0 || cp == 0xB4 || cp == 0xB6 ||
      cp == 0xD7 || cp == 0xF7)
    return CharClass::Symbol;
  if (cp >= 0xFF61 && cp <= 0xFF64) return CharClass::HalfPunct;
  if (cp >= 0xFF65 && cp <= 0xFF9F) return CharClass::HalfKana;
  if ((cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0xF900 && cp <= 0xFAFF)) return CharClass::RareKanji;
  if (cp >= 0x80 && cp <= 0x24F) return CharClass::Latin;
  if (cp >= 0xE000 && cp <= 0xF8FF) return CharClass::Unassigned;  // private use
  return CharClass::Other;
}

}  // namespace nkf::guess
