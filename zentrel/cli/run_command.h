#pragma once
// Dispatches a parsed command line: help, usage errors, check and convert.

#include <cstdio>

#include "command_line.h"
#include "conversion_files.h"
#include "zentrel/core/file_system.h"

namespace zentrel::cli {

// Returns the exit status (2 for a usage error).
int RunCommand(const Command& command, FileSystem& files, ConversionFiles& conversion,
               wchar_t separator, std::FILE* out, std::FILE* err);

}  // namespace zentrel::cli
