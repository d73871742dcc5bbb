#pragma once
// UTF-16 prober for one byte order, for text without a byte-order mark. Such text has no
// structure to validate beyond surrogate pairs, so it is judged by what its code units are:
// Japanese text is kana, kanji, punctuation, ASCII and line ends; other bytes read as UTF-16
// give private-use, rare-block and control units.

#include <cstdint>
#include <span>

#include "probe_text_model.h"

namespace nkf::guess {

struct Utf16Counts {
  std::uint64_t units = 0;        // complete code units (a surrogate pair counts as two)
  std::uint64_t ascii = 0;        // U+0009, U+000A, U+000D, U+0020-U+007E
  std::uint64_t lineEnds = 0;     // U+000A, U+000D (also counted in ascii)
  // U+3041-U+30FF, U+FF61-U+FF9F, and the vendor symbols of Japanese text: Roman numerals
  // U+2160-U+217F, circled numbers U+2460-U+247F, enclosed ideographs (company marks), squared
  // words and units U+3200-U+33FF
  std::uint64_t kanaLike = 0;
  std::uint64_t cjkSymbols = 0;   // U+3000-U+3040, U+FF01-U+FF60, U+FFE0-U+FFEF
  std::uint64_t kanji = 0;        // U+4E00-U+9FFF, U+F900-U+FAFF
  std::uint64_t plausible = 0;    // other letters and symbols Japanese text uses, emoji pairs
  std::uint64_t implausible = 0;  // everything else, NUL units and broken surrogates included
  // Units other than ASCII whose two bytes are both printable ASCII: about a third of Japanese
  // text, but all of ASCII text read two bytes at a time.
  std::uint64_t asciiPairs = 0;
  // Vendor symbols (counted in kanaLike) whose two bytes are printable ASCII: digits and spaces
  // ("2 2 2") make them as easily as circled numbers do.
  std::uint64_t vendorAsciiPairs = 0;
};

class Utf16Probe {
 public:
  explicit Utf16Probe(bool bigEndian) : bigEndian_(bigEndian) {}
  // The counts and the text model: a table lookup a unit, surrogates left to the readable pass.
  void Scan(std::span<const std::uint8_t> bytes);
  // Readable scalar pass, the reference Scan is tested against: the same counts, the same model
  // (the same additions in the same order), the same unfinished bytes, however the input is cut.
  void ScanScalar(std::span<const std::uint8_t> bytes);
  // The counts alone, counted many units at a time: the arbiter reads the text model only when the counts look
  // like Japanese text. Counts() and UnfinishedBytes() come out as from Scan; Model() stays
  // empty. Feed a probe through one of the two only.
  void CountUnits(std::span<const std::uint8_t> bytes);

  const Utf16Counts& Counts() const { return counts_; }
  const TextModel& Model() const { return model_; }
  // Bytes of a code unit or surrogate pair the input ended inside of.
  unsigned UnfinishedBytes() const { return (haveByte_ ? 1u : 0u) + (haveHigh_ ? 2u : 0u); }

 private:
  template <bool kModel>
  void Unit(std::uint16_t u);
  // Scan (kModel) or CountUnits past its first surrogate: runs without a high surrogate by
  // table and tally, the pairs one unit at a time.
  template <bool kBigEndian, bool kModel>
  void Runs(std::span<const std::uint8_t> bytes);

  bool bigEndian_;
  bool haveByte_ = false;      // the first byte of a unit is waiting for its second
  std::uint8_t byte_ = 0;
  bool haveHigh_ = false;      // a high surrogate is waiting for its low surrogate
  Utf16Counts counts_;
  TextModel model_;
};

}  // namespace nkf::guess
