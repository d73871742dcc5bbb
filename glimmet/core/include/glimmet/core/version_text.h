#pragma once

#include <string>

namespace glimmet {

// The version as the caption shows it: major, ".", minor, then the revision written directly after
// the minor version (1, 2, 3 -> "1.23").
std::wstring VersionText(int major, int minor, int revision);

}  // namespace glimmet
