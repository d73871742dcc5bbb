#pragma once
// What a conversion needs from the platform beyond reading files: folders for the output, the
// library's safe file conversion on the platform's paths, and the file attributes around it.

#include <string>

#include "nkf32/convert.h"

namespace zentrel::cli {

class ConversionFiles {
 public:
  virtual ~ConversionFiles() = default;
  // A file the user marked read-only is not replaced by a tool that cannot ask first.
  virtual bool IsReadOnly(const std::wstring& path) = 0;
  // Creates `folder` with its missing parents; true when it exists afterwards.
  virtual bool CreateFolders(const std::wstring& folder) = 0;
  // Converts `source` into `destination` (the same path for in place). On failure both are byte
  // for byte as before. The platform's attributes of the source are carried over.
  virtual nkf::ConvertResult Convert(const std::wstring& source, const std::wstring& destination,
                                     const nkf::ConvertOptions& options) = 0;
};

}  // namespace zentrel::cli
