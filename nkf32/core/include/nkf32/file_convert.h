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

}  // namespace nkf
