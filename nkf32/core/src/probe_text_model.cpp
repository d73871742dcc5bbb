#include "probe_text_model.h"

namespace nkf::guess {
namespace {

// Coarse transition groups: the fine classes share the context of the coarse one.
enum Group : std::uint8_t { kHira, kKata, kSym, kKanji, kHalf, kGroups };

constexpr Group GroupOf(CharClass c) {
  switch (c) {
    case CharClass::Hiragana: return kHira;
    case CharClass::Katakana: return kKata;
    case CharClass::Kanji:
    case CharClass::RareKanji: return kKanji;
    case CharClass::HalfKana:
    case CharClass::HalfKanaOdd:
    case CharClass::HalfKanaMark:
    case CharClass::HalfPunct: return kHalf;
    default: return kSym;
  }
}

// log2 P(group | previous group); the last row is the start of a run (after ASCII or at the
// beginning). Half-width kana come in runs: rare after anything else, likely after themselves.
constexpr double kTransition[kGroups + 1][kGroups] = {
    //  hira   kata   sym    kanji  half
    {-0.9, -4.3, -2.7, -2.0, -10.0},   // after hiragana
    {-2.3, -0.5, -3.3, -3.3, -10.0},   // after katakana
    {-2.0, -2.7, -1.7, -1.7, -7.0},    // after a symbol
    {-1.2, -4.6, -3.3, -1.3, -10.0},   // after kanji
    {-5.0, -5.0, -5.0, -5.0, -0.1},   // after half-width kana
    {-1.7, -2.7, -2.3, -1.7, -5.5},    // at the start of a run
};

// log2 P(character | class): roughly the class size, with the rare classes pushed down by how
// seldom they occur at all in Japanese text.
constexpr double CharCost(CharClass c) {
  switch (c) {
    case CharClass::Hiragana: return -6.4;
    case CharClass::Katakana: return -6.5;
    case CharClass::Symbol: return -7.0;
    case CharClass::Kanji: return -10.5;
    case CharClass::RareKanji: return -16.5;
    case CharClass::HalfKana: return -5.0;
    case CharClass::HalfPunct: return -9.0;
    case CharClass::HalfKanaMark: return -3.0;
    case CharClass::HalfKanaOdd: return -12.0;
    case CharClass::Latin: return -11.0;
    case CharClass::Other: return -13.0;
    case CharClass::Unassigned: return -24.0;
    // In French, German or Spanish text an accented letter inside a word is one of a few dozen
    // letters the word goes on with; Japanese text read as UTF-8 rarely puts one right there.
    case CharClass::LatinInWord: return -4.5;
  }
  return -24.0;
}

constexpr TextModelCosts MakeCosts() {
  static_assert(TextModelCosts::kRows == kGroups + 1);
  static_assert(static_cast<unsigned>(CharClass::LatinInWord) + 1 == kCharClasses);
  static_assert(kAsciiClass < TextModelCosts::kColumns);
  TextModelCosts t{};
  for (unsigned c = 0; c < kCharClasses; ++c) {
    const CharClass cc = static_cast<CharClass>(c);
    t.group[c] = GroupOf(cc);
    for (unsigned row = 0; row <= kGroups; ++row) t.cost[row][c] = kTransition[row][GroupOf(cc)] + CharCost(cc);
  }
  t.group[kAsciiClass] = kGroups;
  for (unsigned row = 0; row <= kGroups; ++row) t.cost[row][kAsciiClass] = TextModel::kAsciiCost;
  return t;
}

}  // namespace

constinit const TextModelCosts kTextModelCosts = MakeCosts();

void TextModel::AddClasses(std::span<const std::uint8_t> classes) {
  // The state in locals: stores to the members could alias the class bytes.
  double score = score_;
  std::uint64_t chars = chars_;
  unsigned previous = previous_;
  for (const std::uint8_t c : classes) {
    score += kTextModelCosts.cost[previous][c];
    previous = kTextModelCosts.group[c];
    chars += c != kAsciiClass;
  }
  score_ = score;
  chars_ = chars;
  previous_ = static_cast<std::uint8_t>(previous);
}

CharClass HalfKanaClass(std::uint8_t code, std::uint8_t previous) {
  if (code <= 0xA5) return CharClass::HalfPunct;
  const bool afterKana = previous >= 0xA6;
  const auto between = [](std::uint8_t c, std::uint8_t lo, std::uint8_t hi) { return c >= lo && c <= hi; };
  bool fits = true;
  if (code == 0xDE) {  // voiced mark: after u, k-, s-, t- and h- row kana
    fits = previous == 0xB3 || between(previous, 0xB6, 0xC4) || between(previous, 0xCA, 0xCE);
  } else if (code == 0xDF) {  // semi-voiced mark: after h- row kana
    fits = between(previous, 0xCA, 0xCE);
  } else if (between(code, 0xAC, 0xAE)) {  // small ya, yu, yo: after i- column kana
    fits = previous == 0xB7 || previous == 0xBC || previous == 0xC1 || previous == 0xC6 ||
           previous == 0xCB || previous == 0xD0 || previous == 0xD8 || previous == 0xDE ||
           previous == 0xDF;
  } else if (between(code, 0xA7, 0xAB) || code == 0xAF || code == 0xB0 || code == 0xDD) {
    fits = afterKana;  // small vowels, small tsu, long-vowel mark, n: never first
  } else if (code == 0xA6) {
    fits = afterKana;  // wo: a particle after a word
  }
  if (!fits) return CharClass::HalfKanaOdd;
  return code == 0xDE || code == 0xDF || code == 0xB0 ? CharClass::HalfKanaMark : CharClass::HalfKana;
}

}  // namespace nkf::guess
