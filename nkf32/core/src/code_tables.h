#pragma once
// Lookup tables of the Japanese encodings, built once from the generated data.

#include <cstdint>

namespace nkf::detail {

// Shift_JIS as read: `single` maps a byte that stands alone (ASCII, half-width katakana, the few
// CP932 single bytes); `pair` maps lead 0x81..0xFC, trail 0x40..0xFF. 0 = not a character.
struct SjisDecodeTable {
  bool isLead[256];
  std::uint16_t single[256];
  std::uint16_t pair[0xFC - 0x81 + 1][0x100 - 0x40];
  // The same pairs as one bit each (3 KB, stays in the first-level cache): validation without conversion.
  std::uint64_t pairValid[0xFC - 0x81 + 1][3];
};

// CP932 as Windows reads it (Microsoft mapping).
const SjisDecodeTable& Cp932DecodeTable();
// Shift_JIS without the CP932 hint: CP932, except that the characters where the two mappings differ
// (the wave dash 0x8160 and its kin) read as JIS X 0208 says.
const SjisDecodeTable& ShiftJisDecodeTable();

// JIS X 0208 and JIS X 0212 by (row - 1, cell - 1); 0 = unassigned.
using JisGrid = std::uint16_t[94][94];
const JisGrid& Jis0208Grid();
const JisGrid& Jis0212Grid();

// Writing, indexed by BMP code point; 0 = not representable.
// Shift_JIS bytes (lead << 8 | trail), or the single byte value for single-byte characters above 0x7F.
const std::uint16_t* Cp932EncodeTable();
// JIS X 0208 / 0212 code as (row << 8) | cell, rows and cells 1-based.
const std::uint16_t* Jis0208EncodeTable();
const std::uint16_t* Jis0212EncodeTable();

// The six characters that Shift_JIS and CP932 read differently have two code points each (the JIS
// one and the Microsoft one) but one code: both are accepted when writing, but not both in one text,
// which would merge two distinct characters. 0 = not such a character; 1..6 = JIS side of pair n,
// 0x11..0x16 = Microsoft side.
std::uint8_t VariantOf(char32_t cp);

// Half-width katakana U+FF61..U+FF9F in full width (for ISO-2022-JP, which has no half-width forms).
char16_t HalfwidthKanaFull(char32_t cp);
// The full-width character for a half-width kana followed by a sound mark (U+FF9E / U+FF9F); 0 = none.
char16_t HalfwidthKanaCombined(char32_t kana, char32_t mark);

}  // namespace nkf::detail
