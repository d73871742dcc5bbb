#pragma once
// Whole-file reading and replacing. A replaced file is written beside its target under a temporary
// name and renamed over it, so a failing write never leaves a half-written file behind.

#include <optional>
#include <string>
#include <string_view>

namespace glimmet::platform {

// The file's bytes; nothing when it cannot be opened or is larger than `limit`. Opened with every
// share mode, so a file another program holds open is still read.
std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t limit);

// Writes `bytes` to `path`, creating or replacing it; false (and the old file untouched) on failure.
bool ReplaceFileContents(const std::wstring& path, std::string_view bytes);

// True when a directory listing of `path` finds an entry (a file or a folder).
bool PathExists(const std::wstring& path);
bool IsFolder(const std::wstring& path);

}  // namespace glimmet::platform
