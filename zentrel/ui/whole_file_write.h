#pragma once
// Writes a file in one piece: the bytes go to a temporary file in the target's folder, which then
// replaces the target. A failed write (missing folder, no access, full disk, a folder by that
// name) therefore leaves any previous file as it was instead of half a file.

#include <string>
#include <string_view>

namespace zentrel::ui {

// True when path now holds exactly bytes. Replaces an existing file without asking.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

}  // namespace zentrel::ui
