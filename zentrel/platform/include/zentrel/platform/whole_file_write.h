#pragma once
// Writes a file in one piece: the bytes go to a temporary file of a unique name in the target's
// folder, which then replaces the target. A failed write (missing folder, no access, full disk, a
// folder by that name, a read-only target) leaves any previous file as it was instead of half a
// file, and no temporary file behind. The one way Zentrel replaces its own files (the settings
// file, saved lists).

#include <windows.h>

#include <string>
#include <string_view>

namespace zentrel::platform {

// Flush::Yes puts the bytes on the disk before the file replaces the target (and the rename
// through): a file that must survive a power cut, at the cost of waiting for the disk.
enum class Flush { No, Yes };

// True when path now holds exactly bytes; otherwise GetLastError() says why. Replaces an existing
// file without asking, but never a read-only one (the user's "do not change").
bool WriteWholeFile(const std::wstring& path, std::string_view bytes, Flush flush = Flush::No);

// Writes all of bytes at the file's position; false on the first failed or empty write.
bool WriteAll(HANDLE file, std::string_view bytes);

}  // namespace zentrel::platform
