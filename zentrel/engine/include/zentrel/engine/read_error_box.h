#pragma once
// The "ERROR" box shown when a path cannot be inspected (a file that cannot be read or is too large
// to examine, a path that cannot be found or looked at, a folder that cannot be listed, a pipe or
// device); the walk goes on when it is closed.

#include <string_view>

#include "zentrel/core/inspection_sink.h"

namespace zentrel {

void ShowReadError(std::wstring_view path, InspectError error);

}  // namespace zentrel
