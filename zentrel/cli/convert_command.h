#pragma once
// Runs "zentrel-cli convert": every path is walked and guessed like a drop, then each file found is
// converted in place or into the output folder, and its outcome printed as "path TAB outcome".

#include <cstdio>

#include "command_line.h"
#include "conversion_files.h"
#include "zentrel/core/file_system.h"

namespace zentrel::cli {

// Returns the exit status: 0 when no file failed, 1 when some file could not be read or
// converted.
int RunConvert(const ConvertOptions& options, FileSystem& files, ConversionFiles& conversion,
               wchar_t separator, std::FILE* out, std::FILE* err);

}  // namespace zentrel::cli
