#pragma once
// The "ERROR" box shown when a file cannot be read (or is too large to examine); the walk goes on
// when it is closed.

#include <string_view>

#include "zentrel/core/inspection_sink.h"

namespace zentrel {

void ShowReadError(std::wstring_view path, InspectError error);

}  // namespace zentrel
