#pragma once
// The file operations behind the settings file: whole-file reads, a replace that never leaves a
// half-written file behind, and the backup copy of a damaged file.

#include <optional>
#include <string>
#include <string_view>

namespace zentrel {

// Files beyond this size are not taken for a settings file; reading one would only tie up memory.
inline constexpr std::size_t kMaxSettingsFileBytes = 16u << 20;

// The file's bytes, or nothing when it is missing, cannot be opened or read, or is too large.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

// True when anything (a file or a folder) exists at path.
bool PathExists(const std::wstring& path);

// Copies path to backupPath, replacing an older backup. Throws SettingsBackupError when the copy
// fails.
void CopyToBackup(const std::wstring& path, const std::wstring& backupPath);

// Writes bytes to a temporary file beside path and then moves it over path, so a failed write
// (full disk, read-only folder, path naming a folder) leaves the previous file as it was. Throws
// SettingsError on failure.
void ReplaceFileContents(const std::wstring& path, std::string_view bytes);

}  // namespace zentrel
