#pragma once
// The "ERROR" box shown when a file cannot be inspected; the walk goes on when it is closed.

#include <string_view>

#include "zentrel/core/inspection_sink.h"

namespace zentrel {

void ShowInspectionError(std::wstring_view path, InspectError error);

}  // namespace zentrel
