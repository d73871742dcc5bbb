#pragma once
// Converting a file into another (or itself) without ever leaving a partial or damaged file.

#include <cstddef>
#include <filesystem>

#include "nkf32/convert.h"

namespace nkf {

// Files up to this size are read once and converted in memory; larger ones are read twice (guess,
// then convert) in bounded memory. Tests pass a smaller limit to take either way on small files.
inline constexpr std::size_t kHeldWholeLimit = std::size_t{64} << 20;

// Reads `source` (once if it fits in `heldWholeLimit`, otherwise twice), writes the result into a
// temporary file beside `destination`, flushes it and only then replaces `destination` atomically.
// On any failure `destination` (and `source`) are byte for byte as before and the temporary file is
// gone. `source` and `destination` may name the same file. With options.guessOnly nothing is written.
ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, std::size_t heldWholeLimit = kHeldWholeLimit);

// The same for a caller that already knows the input encoding (it guessed over the whole file, or
// was told): `source` is read once, and `guess` is taken as ConvertWithGuess takes it. With
// options.guessOnly nothing is written and result.input is guess.encoding.
ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, const GuessResult& guess,
                          std::size_t heldWholeLimit = kHeldWholeLimit);

}  // namespace nkf
