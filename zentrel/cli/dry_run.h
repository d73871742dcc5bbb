#pragma once
// A conversion that writes nothing: the same guess, plan and converter as a real one, with the
// output thrown away chunk by chunk, so it fails exactly where the real conversion would.

#include <string>

#include "nkf32/convert.h"
#include "zentrel/core/file_system.h"

namespace zentrel::cli {

nkf::ConvertResult DryRunConversion(FileSystem& files, const std::wstring& path,
                                    const nkf::ConvertOptions& options);

}  // namespace zentrel::cli
