#pragma once
// The conversions' temporary files under way, kept where a signal handler can reach them without
// taking a lock or allocating.

#include <cstddef>
#include <filesystem>

namespace nkf::detail {

using TempChar = std::filesystem::path::value_type;

// Returns a slot number for ForgetTemporary, or -1 when the path could not be kept.
int RegisterTemporary(const TempChar* path, std::size_t length);
void ForgetTemporary(int slot);
void RemoveRegisteredTemporaries();
// The platform's removal of a file by name (unlink, DeleteFileW); async-signal-safe on POSIX.
void RemoveTemporary(const TempChar* path);

}  // namespace nkf::detail
