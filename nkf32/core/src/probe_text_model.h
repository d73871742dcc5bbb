#pragma once
// A tiny model of Japanese text used to rank the readings of the same bytes that are valid in
// more than one encoding (EUC-JP text is often valid Shift_JIS; short Shift_JIS can be valid
// EUC-JP). Each reading is scored as the log2 likelihood of its non-ASCII characters: how likely
// the character's class follows the previous one, plus how likely the character is within its
// class. Real text alternates kanji and kana; misread bytes give rare kanji, half-width kana
// interleaved with kanji, empty cells and user-defined characters.

#include <cstddef>
#include <cstdint>
#include <span>

namespace nkf::guess {

enum class CharClass : std::uint8_t {
  Hiragana,
  Katakana,
  Symbol,        // punctuation, full-width letters and digits, Greek, Cyrillic, box drawing
  Kanji,         // JIS level 1 (the common kanji) or any CJK ideograph in Unicode
  RareKanji,     // JIS level 2, vendor-extension and JIS X 0212 kanji
  HalfKana,      // half-width katakana 0xA6-0xDF
  HalfPunct,     // half-width 0xA1-0xA5: rare in real text, frequent in misread EUC-JP
  HalfKanaMark,  // a voiced-sound or long-vowel mark where it fits: predictable, hence cheap
  HalfKanaOdd,   // half-width kana where katakana spelling does not put it (see HalfKanaClass)
  Latin,         // accented Latin and other alphabetic letters outside JIS
  Other,         // emoji and other characters outside the Japanese sets
  Unassigned,    // a structurally valid code for which the encoding has no character
  LatinInWord,   // an accented Latin letter right after a letter: inside a word of a Latin script
};
inline constexpr unsigned kCharClasses = 13;

// The class of a half-width katakana (JIS X 0201 code 0xA1-0xDF) given the one before it
// (0 when the previous character was not half-width katakana). Voiced-sound marks follow only
// the kana they can voice, small kana and the long-vowel mark never start a word: misread
// kanji bytes break these rules all the time, real katakana words seldom.
CharClass HalfKanaClass(std::uint8_t code, std::uint8_t previous);

// A character's cost in each context, and the context it leaves: the transition and the
// character's own log2 likelihood summed once, ahead of time (the sum is the same double the
// model would compute per character). Rows are the previous character's group, the last row
// the start of a run. One more column, kAsciiClass, holds what ASCII adds (the ASCII cost in
// every row, and back to the start), so that table-driven callers add ASCII without a branch.
inline constexpr unsigned kAsciiClass = kCharClasses;
struct TextModelCosts {
  static constexpr unsigned kRows = 6;
  static constexpr unsigned kColumns = 16;  // the classes and kAsciiClass, a row a shift apart
  double cost[kRows][kColumns];
  std::uint8_t group[kColumns];
};
extern const TextModelCosts kTextModelCosts;

class TextModel {
 public:
  // Adds one character; ASCII bytes reset the context (text runs restart after them). Inline:
  // every multibyte character of every reading goes through here.
  void Add(CharClass c) {
    const unsigned index = static_cast<unsigned>(c);
    score_ += kTextModelCosts.cost[previous_][index];
    previous_ = kTextModelCosts.group[index];
    ++chars_;
  }
  void AddAscii() {
    score_ += kAsciiCost;
    previous_ = kStart;
  }
  // `n` ASCII bytes in a row: the same additions one by one, so the score stays the same double.
  void AddAsciiRun(std::size_t n) {
    if (n == 0) return;
    for (std::size_t i = 0; i < n; ++i) score_ += kAsciiCost;
    previous_ = kStart;
  }
  // Characters by class, kAsciiClass for ASCII: the same additions as Add and AddAscii one by
  // one, without a branch per character.
  void AddClasses(std::span<const std::uint8_t> classes);
  double Score() const { return score_; }
  // A reading that leaves bytes of an unfinished character at the end explains fewer bytes than
  // one that does not, so each left-over byte is charged. The charge is what the cheapest
  // complete character costs a byte (a voiced-sound mark in a half-width katakana word): a rival
  // reading of the same bytes then never gains by the cut, and a character cut off at the end of
  // the input (its first 1000 bytes) cannot turn the verdict.
  static constexpr double kUnfinishedByteCost = -3.0;
  // ASCII is charged too, so that readings that split the same bytes differently (UTF-16 against
  // 8-bit) compare over all of them. Text in ASCII is predictable: about 4.5 bits a character.
  static constexpr double kAsciiCost = -4.5;
  std::uint64_t Chars() const { return chars_; }

 private:
  static constexpr std::uint8_t kStart = TextModelCosts::kRows - 1;
  double score_ = 0;
  std::uint64_t chars_ = 0;
  std::uint8_t previous_ = kStart;
};

}  // namespace nkf::guess
