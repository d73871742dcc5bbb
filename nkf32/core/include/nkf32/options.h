#pragma once
// The converter's option text: "-g", "--ic=CP932 -w80Lu", "-w16L0Lm", "-Lw" and their kin.

#include <cstddef>
#include <optional>
#include <string_view>

#include "nkf32/encoding.h"

namespace nkf {

enum class LineEnding : std::uint8_t { Keep, CrLf, Cr, Lf };

// What the caller asked for. An absent output encoding keeps the input's encoding (and its BOM).
struct ConvertOptions {
  bool guessOnly = false;                 // "-g": analyse the input, write nothing
  bool cp932Hint = false;                 // "--ic=CP932": read Shift_JIS input as CP932
  std::optional<Encoding> output;         // Cp932 for "s" (Windows' Shift_JIS), EucJp, Iso2022Jp, Utf8, Utf16LE/BE
  bool outputBom = false;                 // meaningful only with `output`: "w8", "w16L", "w16B" write a BOM
  LineEnding lineEnding = LineEnding::Keep;

  bool operator==(const ConvertOptions&) const = default;
};

struct OptionsResult {
  bool ok = false;
  ConvertOptions options;                 // valid only when ok
  std::size_t errorAt = 0;                // offset of the first character not understood
};

// Parses blank-separated options: "--ic=CP932" and short-option groups after "-" made of
// g, s, e, j, w (w, w8, w80, w16, w16L, w16L0, w16B, w16B0) and L (Lw, Lm, Lu). A later output
// letter overrides an earlier one. Anything else fails; the caller keeps its previous options.
OptionsResult ParseOptions(std::string_view text);

}  // namespace nkf
