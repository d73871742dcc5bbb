#pragma once
// Windows paths in the form that names files literally ("\\?\C:\dir\aux.txt"): without it the
// system reads "aux.txt", "com1.txt" or "nul" in any folder as a device, drops dots and blanks at
// the end of a name, and stops at MAX_PATH. Pure text work, so it is tested on any platform.

#include <string>
#include <string_view>

namespace nkf {

// `path` (absolute, drive-relative, rooted or relative; "\" or "/" separated) as an absolute
// "\\?\" or "\\?\UNC\" path: resolved against `currentDirectory` (itself absolute), separators
// made "\", empty and "." names dropped and ".." taken back, every other name kept exactly.
// Paths already in the "\\?\", "\??\" or device ("\\.\") forms are returned as they are.
std::wstring VerbatimPath(std::wstring_view path, std::wstring_view currentDirectory);

#ifdef _WIN32
// The same against the process's current directory, for the file system calls themselves.
std::wstring VerbatimPath(std::wstring_view path);
#endif

}  // namespace nkf
