#pragma once
// Runs "zentrel-cli check" over a file system: every path is walked and inspected like a drop.

#include <cstdio>

#include "command_line.h"
#include "zentrel/core/file_system.h"

namespace zentrel::cli {

// Returns the exit status: 0 when every file was inspected, 1 when some file could not be read.
int RunCheck(const CheckOptions& options, FileSystem& files, wchar_t separator, std::FILE* out,
             std::FILE* err);

}  // namespace zentrel::cli
