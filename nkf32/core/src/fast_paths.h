#pragma once
// Direct transcoders for the most common conversions, beside the general decode-then-encode path and
// tested against it. Each converts the longest prefix of plain text it can and stops before anything
// unusual (an invalid or cut-off sequence, a character needing a check), leaving that to the general
// path, which then reports errors with their positions.

#include <cstddef>
#include <cstdint>

#include "code_tables.h"
#include "encoder.h"
#include "nkf32/encoding.h"

namespace nkf::detail {

enum class FastPath : std::uint8_t { None, SjisToUtf8, EucToUtf8, Utf8ToSjis, Utf8ToUtf16LE };

FastPath ChooseFastPath(Encoding input, Encoding output);

// Returns the bytes of `in` converted; starts no character at or after `limit` (<= n) but finishes one
// that straddles it; advances `o` by at most 3 bytes per input byte, but may store up to 16 bytes
// past where it leaves `o` (words are stored whole).
std::size_t RunFastPath(FastPath path, const SjisDecodeTable* sjis, SjisEncoder* sjisOut, const std::uint8_t* in,
                        std::size_t n, std::size_t limit, std::uint8_t*& o);

// Validates without converting, for conversions that keep the encoding: returns the length of the
// valid prefix (the general decoder then reports the first error or cut-off character).
bool HasValidator(Encoding encoding);
std::size_t ValidPrefix(Encoding encoding, const SjisDecodeTable* sjis, const std::uint8_t* in, std::size_t n);

}  // namespace nkf::detail
