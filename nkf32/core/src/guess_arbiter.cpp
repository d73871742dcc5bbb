#include "guess_arbiter.h"

#include <algorithm>
#include <optional>

#include "guess_signatures.h"

namespace nkf::guess {
namespace {

std::optional<GuessResult> ByteOrderMark(std::span<const std::uint8_t> h) {
  const auto starts = [&](std::initializer_list<std::uint8_t> bom) {
    return h.size() >= bom.size() && std::equal(bom.begin(), bom.end(), h.begin());
  };
  if (starts({0xFF, 0xFE, 0x00, 0x00})) return GuessResult{Encoding::Utf32LE, true, 4};
  if (starts({0x00, 0x00, 0xFE, 0xFF})) return GuessResult{Encoding::Utf32BE, true, 4};
  if (starts({0xEF, 0xBB, 0xBF})) return GuessResult{Encoding::Utf8, true, 3};
  if (starts({0xFE, 0xFF})) return GuessResult{Encoding::Utf16BE, true, 2};
  if (starts({0xFF, 0xFE})) {
    // Not UTF-32 once a byte after the mark is not zero; until then it could still be.
    std::uint64_t decided = 2;
    if (h.size() >= 3) decided = h[2] != 0 ? 3 : h.size() >= 4 ? 4 : 3;
    return GuessResult{Encoding::Utf16LE, true, decided};
  }
  return std::nullopt;
}

// --- UTF-16 without a byte-order mark ---------------------------------------------------

struct Utf16Reading {
  Encoding encoding;
  const Utf16Counts* counts;
  const Utf16Probe* probe;
};

std::int64_t Quality(const Utf16Counts& c) {
  return 2 * static_cast<std::int64_t>(c.ascii + c.kanaLike + c.cjkSymbols) +
         static_cast<std::int64_t>(c.kanji + c.plausible) - 4 * static_cast<std::int64_t>(c.implausible);
}

Utf16Reading BetterByteOrder(const Probes& p) {
  const Utf16Counts& le = p.utf16le.Counts();
  const Utf16Counts& be = p.utf16be.Counts();
  return Quality(be) > Quality(le) ? Utf16Reading{Encoding::Utf16BE, &be, &p.utf16be}
                                   : Utf16Reading{Encoding::Utf16LE, &le, &p.utf16le};
}

// ASCII bytes read two at a time: most units that are not ASCII are made of two printable bytes.
bool MostlyAsciiPairs(const Utf16Counts& c) { return c.asciiPairs * 10 > (c.units - c.ascii) * 7; }

// Text by its units: almost nothing implausible, and a fair share of ASCII or kana (the units
// other bytes rarely produce when read two at a time). Kana and kanji whose two bytes are printable
// do not make ASCII text of it when half the units are ASCII already, each with its zero byte.
bool Utf16Convincing(const Utf16Counts& c) {
  return c.units >= 1 && c.implausible * 20 <= c.units && (c.ascii + c.kanaLike + c.cjkSymbols) * 4 >= c.units &&
         (!MostlyAsciiPairs(c) || c.ascii * 2 >= c.units);
}

// Convincing even against bytes that are valid in an 8-bit encoding: kana units need a 0x30 or
// 0xFF byte at every other position (the vendor symbols a 0x21, 0x24, 0x32 or 0x33), which 8-bit
// text almost never has.
bool Utf16KanaRich(const Utf16Counts& c, const ByteStats& s) {
  // Vendor symbols made of two printable bytes are ASCII text just as well ("2 2 2" reads as
  // enclosed CJK): they count only when NUL bytes (UTF-16 line ends, ASCII) say the input is UTF-16.
  const std::uint64_t kanaLike = s.nuls == 0 ? c.kanaLike - c.vendorAsciiPairs : c.kanaLike;
  return c.units >= 3 && c.implausible * 50 <= c.units && kanaLike * 4 >= c.units;
}

// Good enough when no 8-bit reading is valid at all (kanji-heavy text without ASCII or kana).
bool Utf16Acceptable(const Utf16Counts& c) {
  return c.units >= 2 && c.implausible * 10 <= c.units;
}

// Worth weighing against a valid 8-bit reading: mostly Japanese letters. ASCII read two bytes at
// a time gives symbols and punctuation (spaces make U+2020) as often as kanji.
bool Utf16Japanese(const Utf16Counts& c) {
  return Utf16Acceptable(c) && (c.kanaLike + c.kanji) * 2 >= c.units && !MostlyAsciiPairs(c);
}

// --- 8-bit readings ---------------------------------------------------------------------

struct Candidate {
  Encoding encoding;
  const ProbeErrors* errors;
  double score;
  std::uint64_t multibyte;
};

// The reading's score over all of the input: an unfinished last character is charged while the
// input lies inside the statistics window (past it, the scores cover the window only).
template <class Probe>
double ReadingScore(const Probe& probe, std::uint64_t size) {
  const unsigned unfinished = size <= kStatsWindow ? probe.UnfinishedBytes() : 0;
  return probe.Model().Score() + TextModel::kUnfinishedByteCost * unfinished;
}

bool LooksBinary(const ByteStats& s) {
  return s.nuls * 100 > s.bytes || s.controls * 20 > s.bytes;
}

// The verdict became certain when the last rival reading failed; while any rival is still
// valid, only the whole input decides.
std::uint64_t DecidedAt(const Probes& p, Encoding winner, std::uint64_t size) {
  std::uint64_t at = p.sevenBit.FirstHighBitEnd();
  const ProbeErrors* rivals[] = {&p.utf8.Errors(), &p.sjis.Errors(), &p.eucjp.Errors()};
  const Encoding names[] = {Encoding::Utf8, Encoding::ShiftJis, Encoding::EucJp};
  const Encoding family = winner == Encoding::Cp932 ? Encoding::ShiftJis : winner;
  for (int i = 0; i < 3; ++i) {
    if (names[i] == family) continue;
    if (rivals[i]->None()) return size;
    at = std::max(at, rivals[i]->FirstEnd());
  }
  return at;
}

// The ASCII reading of 7-bit input, scored like the others.
double SevenBitScore(const ByteStats& stats) { return TextModel::kAsciiCost * static_cast<double>(stats.bytes); }

}  // namespace

std::optional<GuessResult> DecideByHead(std::span<const std::uint8_t> head, std::uint64_t size) {
  if (size == 0) return GuessResult{Encoding::Ascii, false, 0};
  if (auto bom = ByteOrderMark(head)) return *bom;
  if (const std::size_t n = BinarySignatureLength(head)) return GuessResult{Encoding::Binary, false, n};
  return std::nullopt;
}

// NUL bytes in text are what UTF-16 is made of; kana units likewise.
bool Utf16ByCountsAlone(const Probes& p) {
  const Utf16Counts& c = *BetterByteOrder(p).counts;
  return (p.bytes.nuls > 0 && Utf16Convincing(c)) || Utf16KanaRich(c, p.bytes);
}

const Utf16Probe* Utf16ModelRead(const Probes& p) {
  const Utf16Reading u16 = BetterByteOrder(p);
  return Utf16Japanese(*u16.counts) ? u16.probe : nullptr;
}

GuessResult Decide(const Probes& p, std::span<const std::uint8_t> head, std::uint64_t size) {
  if (auto byHead = DecideByHead(head, size)) return *byHead;

  const ByteStats& stats = p.bytes;
  const Utf16Reading u16 = BetterByteOrder(p);
  const GuessResult utf16{u16.encoding, false, size};
  if (Utf16ByCountsAlone(p)) return utf16;
  const bool utf16Acceptable = Utf16Acceptable(*u16.counts);
  const bool utf16Japanese = Utf16Japanese(*u16.counts);
  const double utf16Score = ReadingScore(*u16.probe, size);

  if (p.sevenBit.SevenBit()) {
    if (p.sevenBit.Designated()) {
      if (LooksBinary(stats)) return {Encoding::Binary, false, size};
      return {Encoding::Iso2022Jp, false, size};
    }
    if (utf16Japanese && (LooksBinary(stats) || utf16Score > SevenBitScore(stats))) return utf16;
    if (LooksBinary(stats)) return {Encoding::Binary, false, size};
    return {Encoding::Ascii, false, size};
  }

  const Encoding sjis = p.sjis.UsesCp932Extensions() ? Encoding::Cp932 : Encoding::ShiftJis;
  // In order of preference when the scores tie.
  const Candidate candidates[] = {
      {Encoding::Utf8, &p.utf8.Errors(), ReadingScore(p.utf8, size), p.utf8.MultibyteChars()},
      {sjis, &p.sjis.Errors(), ReadingScore(p.sjis, size), p.sjis.MultibyteChars()},
      {Encoding::EucJp, &p.eucjp.Errors(), ReadingScore(p.eucjp, size), p.eucjp.MultibyteChars()},
  };
  const Candidate* best = nullptr;
  for (const Candidate& c : candidates)
    if (c.errors->None() && (!best || c.score > best->score)) best = &c;
  if (best) {
    if (utf16Japanese && (LooksBinary(stats) || utf16Score > best->score)) return utf16;
    if (LooksBinary(stats)) return {Encoding::Binary, false, size};
    return {best->encoding, false, DecidedAt(p, best->encoding, size)};
  }

  // Text with a stray bad byte or two is still that text (the converter refuses the bad bytes).
  for (const Candidate& c : candidates)
    if (c.errors->Count() * 200 <= c.multibyte && (!best || c.errors->Count() < best->errors->Count()))
      best = &c;
  if (best && !LooksBinary(stats)) return {best->encoding, false, size};
  if (utf16Acceptable) return utf16;
  return {Encoding::Binary, false, size};
}

}  // namespace nkf::guess
