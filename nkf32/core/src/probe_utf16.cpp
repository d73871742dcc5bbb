#include "probe_utf16.h"

#include <algorithm>

#include "probe_utf8.h"

namespace nkf::guess {
namespace {

bool IsHigh(std::uint16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(std::uint16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The symbols Japanese text writes with the vendor characters of Shift_JIS (circled numbers, Roman
// numerals, company marks, squared words and units): like kana, units 8-bit text and binary data
// rarely produce, and whole lists are made of them. Taken as whole aligned blocks, so that the
// tally tests each with one mask: U+2160-U+217F Roman numerals, U+2460-U+247F circled and
// parenthesized numbers, U+3200-U+33FF enclosed and squared CJK.
constexpr bool IsVendorSymbol(std::uint16_t u) {
  return (u & 0xFFE0) == 0x2160 || (u & 0xFFE0) == 0x2460 || (u & 0xFE00) == 0x3200;
}

// Which of the counts a unit (other than a surrogate pair) adds to.
enum class Utf16UnitKind : std::uint8_t {
  Ascii,
  LineEnd,  // counted as ASCII too
  Kana,
  CjkSymbol,
  Kanji,
  Plausible,
  Implausible,
  HighSurrogate,  // paired with the next unit by the prober
};

constexpr Utf16UnitKind UnitKindOf(std::uint16_t u) {
  if (u == 0x0A || u == 0x0D) return Utf16UnitKind::LineEnd;
  if (u == 0x09 || (u >= 0x20 && u <= 0x7E)) return Utf16UnitKind::Ascii;
  if ((u >= 0x3041 && u <= 0x30FF) || (u >= 0xFF61 && u <= 0xFF9F) || IsVendorSymbol(u)) return Utf16UnitKind::Kana;
  if ((u >= 0x3000 && u <= 0x3040) || (u >= 0xFF01 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFEF))
    return Utf16UnitKind::CjkSymbol;
  if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF)) return Utf16UnitKind::Kanji;
  if (u >= 0xD800 && u <= 0xDBFF) return Utf16UnitKind::HighSurrogate;
  if (u == 0x0C || (u >= 0xA0 && u <= 0x24F) || (u >= 0x370 && u <= 0x4FF) || (u >= 0x2000 && u <= 0x2BFF))
    return Utf16UnitKind::Plausible;
  return Utf16UnitKind::Implausible;
}

// Both bytes printable ASCII, in a unit that is not ASCII itself (see Utf16Counts::asciiPairs).
constexpr bool IsAsciiPair(std::uint16_t u) {
  const auto printable = [](unsigned b) { return b >= 0x20 && b <= 0x7E; };
  return u > 0x7E && printable(u >> 8) && printable(u & 0xFF);
}

void Count(Utf16Counts& c, Utf16UnitKind kind) {
  switch (kind) {
    case Utf16UnitKind::LineEnd: ++c.lineEnds; [[fallthrough]];
    case Utf16UnitKind::Ascii: ++c.ascii; break;
    case Utf16UnitKind::Kana: ++c.kanaLike; break;
    case Utf16UnitKind::CjkSymbol: ++c.cjkSymbols; break;
    case Utf16UnitKind::Kanji: ++c.kanji; break;
    case Utf16UnitKind::Plausible: ++c.plausible; break;
    case Utf16UnitKind::Implausible:
    case Utf16UnitKind::HighSurrogate: ++c.implausible; break;
  }
}

constexpr bool InUnitRange(unsigned u, unsigned first, unsigned last) {
  return static_cast<std::uint16_t>(u - first) <= last - first;
}

// UnitKindOf and IsAsciiPair summed over units without a surrogate pair, as disjoint ranges
// and additions only: the form the compiler counts eight units at a time in. High surrogates
// are counted only to tell the caller to take the readable path instead.
struct UnitTally {
  std::uint64_t ascii = 0, lineEnds = 0, kanaLike = 0, cjkSymbols = 0, kanji = 0, plausible = 0;
  std::uint64_t highSurrogates = 0, asciiPairs = 0, vendorAsciiPairs = 0;
};

// Sixteen-bit counters, as wide as the units: a block of at most kTallyBlock units fits them.
constexpr std::size_t kTallyBlock = 0xFFFF;

template <bool kBigEndian>
void TallyBlock(const std::uint8_t* p, std::size_t units, UnitTally& t) {
  std::uint16_t ascii = 0, lineEnds = 0, kana = 0, cjk = 0, kanji = 0, plausible = 0, highs = 0, pairs = 0;
  std::uint16_t vendorPairs = 0;
  for (std::size_t i = 0; i < units; ++i) {
    const unsigned high = p[2 * i + (kBigEndian ? 0 : 1)], low = p[2 * i + (kBigEndian ? 1 : 0)];
    const auto u = static_cast<std::uint16_t>(high << 8 | low);
    const std::uint16_t lineEnd = (u == 0x0A) + (u == 0x0D);
    lineEnds += lineEnd;
    ascii += (u == 0x09) + lineEnd + InUnitRange(u, 0x20, 0x7E);
    const std::uint16_t numbers = ((u & 0xFFE0) == 0x2160) + ((u & 0xFFE0) == 0x2460);
    const std::uint16_t vendor = numbers + ((u & 0xFE00) == 0x3200);
    kana += InUnitRange(u, 0x3041, 0x30FF) + InUnitRange(u, 0xFF61, 0xFF9F) + vendor;
    cjk += InUnitRange(u, 0x3000, 0x3040) + InUnitRange(u, 0xFF01, 0xFF60) + InUnitRange(u, 0xFFE0, 0xFFEF);
    kanji += InUnitRange(u, 0x4E00, 0x9FFF) + InUnitRange(u, 0xF900, 0xFAFF);
    // The vendor numbers lie within U+2000-U+2BFF: counted as kana, not as plausible.
    plausible += (u == 0x0C) + InUnitRange(u, 0xA0, 0x24F) + InUnitRange(u, 0x370, 0x4FF) +
                 InUnitRange(u, 0x2000, 0x2BFF) - numbers;
    highs += InUnitRange(u, 0xD800, 0xDBFF);
    const std::uint16_t pair = InUnitRange(high, 0x20, 0x7E) & InUnitRange(low, 0x20, 0x7E) & (u > 0x7E);
    pairs += pair;
    vendorPairs += vendor & pair;
  }
  t.ascii += ascii;
  t.lineEnds += lineEnds;
  t.kanaLike += kana;
  t.cjkSymbols += cjk;
  t.kanji += kanji;
  t.plausible += plausible;
  t.highSurrogates += highs;
  t.asciiPairs += pairs;
  t.vendorAsciiPairs += vendorPairs;
}

template <bool kBigEndian>
UnitTally TallyUnits(const std::uint8_t* p, std::size_t units) {
  UnitTally t;
  for (std::size_t done = 0; done < units; done += kTallyBlock)
    TallyBlock<kBigEndian>(p + 2 * done, std::min(units - done, kTallyBlock), t);
  return t;
}

// The tally of `units` units without a high surrogate added to the counts.
void AddTally(Utf16Counts& c, const UnitTally& t, std::size_t units) {
  c.units += units;
  c.ascii += t.ascii;
  c.lineEnds += t.lineEnds;
  c.kanaLike += t.kanaLike;
  c.cjkSymbols += t.cjkSymbols;
  c.kanji += t.kanji;
  c.plausible += t.plausible;
  c.implausible += units - (t.ascii + t.kanaLike + t.cjkSymbols + t.kanji + t.plausible);
  c.asciiPairs += t.asciiPairs;
  c.vendorAsciiPairs += t.vendorAsciiPairs;
}

// A unit's class in the text model as Utf16Probe::Unit gives it, kAsciiClass for ASCII and line
// ends. High surrogates are marked instead: the readable path pairs them with the next unit.
constexpr std::uint8_t kHighSurrogateMark = 0x0F;

constexpr std::uint8_t ModelClassOf(std::uint16_t u) {
  switch (UnitKindOf(u)) {
    case Utf16UnitKind::HighSurrogate: return kHighSurrogateMark;
    case Utf16UnitKind::Ascii:
    case Utf16UnitKind::LineEnd: return kAsciiClass;
    default:
      if (u < 0xA0) return static_cast<std::uint8_t>(CharClass::Unassigned);  // NUL and other control units
      return static_cast<std::uint8_t>(UnicodeClass(u));
  }
}

// Every unit's class and counts in one byte, built once: the model class (or the
// surrogate mark) in the low four bits, the Utf16UnitKind in the next three, and whether it is
// an ASCII pair in the top bit. 64 KiB of read-only data, of which text touches a few pages.
struct UnitTable {
  std::uint8_t of[0x10000];
};

constexpr UnitTable MakeUnitTable() {
  static_assert(kAsciiClass < kHighSurrogateMark && static_cast<unsigned>(Utf16UnitKind::HighSurrogate) < 8);
  UnitTable t{};
  for (unsigned u = 0; u < 0x10000; ++u) {
    const auto unit = static_cast<std::uint16_t>(u);
    t.of[u] = static_cast<std::uint8_t>(ModelClassOf(unit) | static_cast<unsigned>(UnitKindOf(unit)) << 4 |
                                        (IsAsciiPair(unit) ? 0x80 : 0));
  }
  return t;
}
// Built once, on first use: as a compile-time constant it would pass some compilers' limits on
// constant evaluation (65,536 classifications).
const UnitTable& Units() {
  static const UnitTable table = MakeUnitTable();
  return table;
}

// What an entry of the unit table adds to the counts, as sixteen-bit fields of two words (ascii,
// lineEnds, kanaLike, cjkSymbols; kanji, plausible, asciiPairs, vendorAsciiPairs): two additions
// a unit, no branch. Vendor symbols are the kana-like units of the symbol class.
struct TallySteps {
  std::uint64_t step[256][2];
};

constexpr TallySteps MakeTallySteps() {
  TallySteps t{};
  for (unsigned e = 0; e < 256; ++e) {
    std::uint64_t first = 0, second = 0;
    switch (static_cast<Utf16UnitKind>(e >> 4 & 7)) {
      case Utf16UnitKind::LineEnd: first = 1 | std::uint64_t{1} << 16; break;
      case Utf16UnitKind::Ascii: first = 1; break;
      case Utf16UnitKind::Kana: first = std::uint64_t{1} << 32; break;
      case Utf16UnitKind::CjkSymbol: first = std::uint64_t{1} << 48; break;
      case Utf16UnitKind::Kanji: second = 1; break;
      case Utf16UnitKind::Plausible: second = std::uint64_t{1} << 16; break;
      default: break;  // implausible: what the others leave
    }
    if (e & 0x80) second += std::uint64_t{1} << 32;
    const bool vendor = static_cast<Utf16UnitKind>(e >> 4 & 7) == Utf16UnitKind::Kana &&
                        (e & 0x0F) == static_cast<unsigned>(CharClass::Symbol);
    if ((e & 0x80) && vendor) second += std::uint64_t{1} << 48;
    t.step[e][0] = first;
    t.step[e][1] = second;
  }
  return t;
}
constexpr TallySteps kTallySteps = MakeTallySteps();

// Runs are cut at this many units, so that the tally's sixteen-bit fields cannot overflow.
constexpr std::size_t kRunBatch = 1024;

template <bool kBigEndian>
std::uint16_t UnitAt(const std::uint8_t* p) {
  return kBigEndian ? static_cast<std::uint16_t>(p[0] << 8 | p[1]) : static_cast<std::uint16_t>(p[1] << 8 | p[0]);
}

// The units from `p` up to the first high surrogate, at most `units` (up to kRunBatch) of them:
// their model classes into `classes`, their counts into `c`. Returns how many.
template <bool kBigEndian, bool kModel>
std::size_t ClassifyRun(const std::uint8_t* p, std::size_t units, std::uint8_t* classes, Utf16Counts& c) {
  const UnitTable& table = Units();
  std::uint64_t first = 0, second = 0;
  std::size_t i = 0;
  for (; i < units; ++i) {
    const std::uint8_t e = table.of[UnitAt<kBigEndian>(p + 2 * i)];
    const std::uint8_t modelClass = e & 0x0F;
    if (modelClass == kHighSurrogateMark) break;
    if constexpr (kModel) classes[i] = modelClass;
    first += kTallySteps.step[e][0];
    second += kTallySteps.step[e][1];
  }
  const auto field = [](std::uint64_t word, unsigned n) { return word >> (16 * n) & 0xFFFF; };
  const std::uint64_t ascii = field(first, 0), kana = field(first, 2), cjk = field(first, 3);
  const std::uint64_t kanji = field(second, 0), plausible = field(second, 1);
  c.units += i;
  c.ascii += ascii;
  c.lineEnds += field(first, 1);
  c.kanaLike += kana;
  c.cjkSymbols += cjk;
  c.kanji += kanji;
  c.plausible += plausible;
  c.implausible += i - (ascii + kana + cjk + kanji + plausible);
  c.asciiPairs += field(second, 2);
  c.vendorAsciiPairs += field(second, 3);
  return i;
}

}  // namespace

template <bool kModel>
void Utf16Probe::Unit(std::uint16_t u) {
  Utf16Counts& c = counts_;
  if (haveHigh_) {
    haveHigh_ = false;
    c.units += 2;
    if (IsLow(u)) {
      c.plausible += 2;
      if constexpr (kModel) model_.Add(CharClass::Other);
      return;
    }
    if constexpr (kModel) model_.Add(CharClass::Unassigned);
    c.implausible += 1;  // the lone high surrogate; `u` is counted below
    c.units -= 1;
  }
  if (IsHigh(u)) {
    haveHigh_ = true;  // judged with the next unit; at the end of the input it is left out
    return;
  }
  ++c.units;
  if (IsAsciiPair(u)) {
    ++c.asciiPairs;
    if (IsVendorSymbol(u)) ++c.vendorAsciiPairs;
  }
  const Utf16UnitKind kind = UnitKindOf(u);
  if constexpr (kModel) {
    if (kind == Utf16UnitKind::Ascii || kind == Utf16UnitKind::LineEnd)
      model_.AddAscii();
    else if (u < 0xA0)
      model_.Add(CharClass::Unassigned);  // NUL and other control units
    else
      model_.Add(UnicodeClass(u));
  }
  Count(c, kind);
}

template <bool kBigEndian, bool kModel>
void Utf16Probe::Runs(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  if (haveByte_ && p < end) {  // a unit begun in an earlier chunk
    haveByte_ = false;
    const std::uint8_t unit[2] = {byte_, *p++};
    Unit<kModel>(UnitAt<kBigEndian>(unit));
  }
  std::uint8_t classes[kRunBatch];
  for (std::size_t units = static_cast<std::size_t>(end - p) / 2; units != 0;) {
    const std::size_t run =
        haveHigh_ ? 0 : ClassifyRun<kBigEndian, kModel>(p, std::min(units, kRunBatch), classes, counts_);
    if (run == 0) {  // a high surrogate, or the unit after one
      Unit<kModel>(UnitAt<kBigEndian>(p));
      p += 2;
      --units;
      continue;
    }
    if constexpr (kModel) model_.AddClasses(std::span(classes, run));
    p += 2 * run;
    units -= run;
  }
  if (p < end) {
    byte_ = *p;
    haveByte_ = true;
  }
}

void Utf16Probe::Scan(std::span<const std::uint8_t> bytes) {
  if (bigEndian_)
    Runs<true, true>(bytes);
  else
    Runs<false, true>(bytes);
}

void Utf16Probe::ScanScalar(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t b : bytes) {
    if (!haveByte_) {
      byte_ = b;
      haveByte_ = true;
      continue;
    }
    haveByte_ = false;
    Unit<true>(bigEndian_ ? static_cast<std::uint16_t>(byte_ << 8 | b)
                          : static_cast<std::uint16_t>(b << 8 | byte_));
  }
}

void Utf16Probe::CountUnits(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  const auto unitAt = [this](std::uint8_t first, std::uint8_t second) {
    return bigEndian_ ? static_cast<std::uint16_t>(first << 8 | second) : static_cast<std::uint16_t>(second << 8 | first);
  };
  if (haveByte_ && p < end) {  // a unit begun in an earlier chunk
    haveByte_ = false;
    Unit<false>(unitAt(byte_, *p++));
  }
  const std::size_t units = static_cast<std::size_t>(end - p) / 2;
  UnitTally t;
  if (!haveHigh_) t = bigEndian_ ? TallyUnits<true>(p, units) : TallyUnits<false>(p, units);
  // Surrogates, or a high one left waiting by the previous chunk: runs between them, the pairs
  // by the readable path.
  if (haveHigh_ || t.highSurrogates != 0) {
    const std::span rest(p, end);
    if (bigEndian_)
      Runs<true, false>(rest);
    else
      Runs<false, false>(rest);
    return;
  }
  AddTally(counts_, t, units);
  p += 2 * units;
  if (p < end) {
    byte_ = *p;
    haveByte_ = true;
  }
}

}  // namespace nkf::guess
