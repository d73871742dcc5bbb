#pragma once
// Converting a file into another (or itself) without ever leaving a partial or damaged file.

#include <filesystem>

#include "nkf32/convert.h"

namespace nkf {

// Reads `source` twice in bounded memory (guess, then convert), writes the result into a temporary
// file beside `destination`, flushes it and only then replaces `destination` atomically. On any
// failure `destination` (and `source`) are byte for byte as before and the temporary file is gone.
// `source` and `destination` may name the same file. With options.guessOnly nothing is written.
ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options);

// The same for a caller that already knows the input encoding (it guessed over the whole file, or
// was told): `source` is read once, and `guess` is taken as ConvertWithGuess takes it. With
// options.guessOnly nothing is written and result.input is guess.encoding.
ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, const GuessResult& guess);

}  // namespace nkf
