#include "probe_utf16.h"

#include "probe_utf8.h"

namespace nkf::guess {
namespace {
bool IsHigh(std::uint16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(std::uint16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
}  // namespace

void Utf16Probe::Unit(std::uint16_t u) {
  Utf16Counts& c = counts_;
  if (haveHigh_) {
    haveHigh_ = false;
    c.units += 2;
    if (IsLow(u)) {
      c.plausible += 2;
      model_.Add(CharClass::Other);
      return;
    }
    model_.Add(CharClass::Unassigned);
    c.implausible += 1;  // the lone high surrogate; `u` is counted below
    c.units -= 1;
  }
  if (IsHigh(u)) {
    haveHigh_ = true;  // judged with the next unit; at the end of the input it is left out
    return;
  }
  ++c.units;
  const auto printable = [](unsigned b) { return b >= 0x20 && b <= 0x7E; };
  if (u > 0x7E && printable(u >> 8) && printable(u & 0xFF)) ++c.asciiPairs;
  if (u == 0x09 || u == 0x0A || u == 0x0D || (u >= 0x20 && u <= 0x7E))
    model_.AddAscii();
  else if (u < 0xA0)
    model_.Add(CharClass::Unassigned);  // NUL and other control units
  else
    model_.Add(UnicodeClass(u));
  if (u == 0x09 || u == 0x0A || u == 0x0D || (u >= 0x20 && u <= 0x7E)) {
    ++c.ascii;
    if (u == 0x0A || u == 0x0D) ++c.lineEnds;
  } else if ((u >= 0x3041 && u <= 0x30FF) || (u >= 0xFF61 && u <= 0xFF9F)) {
    ++c.kana;
  } else if ((u >= 0x3000 && u <= 0x3040) || (u >= 0xFF01 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFEF)) {
    ++c.cjkSymbols;
  } else if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF)) {
    ++c.kanji;
  } else if (u == 0x0C || (u >= 0xA0 && u <= 0x24F) || (u >= 0x370 && u <= 0x4FF) ||
             (u >= 0x2000 && u <= 0x2BFF)) {
    ++c.plausible;
  } else {
    ++c.implausible;
  }
}

void Utf16Probe::Scan(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t b : bytes) {
    if (!haveByte_) {
      byte_ = b;
      haveByte_ = true;
      continue;
    }
    haveByte_ = false;
    Unit(bigEndian_ ? static_cast<std::uint16_t>(byte_ << 8 | b)
                    : static_cast<std::uint16_t>(b << 8 | byte_));
  }
}

}  // namespace nkf::guess
