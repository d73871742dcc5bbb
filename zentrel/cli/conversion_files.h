#pragma once
// What a conversion needs from the platform beyond reading files: folders for the output, the
// library's safe file conversion on the platform's paths, and the file attributes around it.

#include <cstdint>
#include <optional>
#include <string>

#include "nkf32/convert.h"

namespace zentrel::cli {

// Which file a path names and how it stood: equal stamps mean the same file, unchanged (as far as
// its size and times tell). A file replaced by a conversion is a new file.
struct FileStamp {
  std::uint64_t volume = 0;
  std::uint64_t id = 0;
  std::uint64_t size = 0;
  std::uint64_t modified = 0;  // platform units
  std::uint64_t changed = 0;   // status change where the platform has one, else 0

  bool operator==(const FileStamp&) const = default;
};

class ConversionFiles {
 public:
  virtual ~ConversionFiles() = default;
  // A file the user marked read-only is not replaced by a tool that cannot ask first.
  virtual bool IsReadOnly(const std::wstring& path) = 0;
  // Nothing when the file cannot be looked at, or when its stamp could not tell a change from
  // none (a file written moments ago, where times are kept coarsely).
  virtual std::optional<FileStamp> Stamp(const std::wstring& path) = 0;
  // Creates `folder` with its missing parents; true when it exists afterwards.
  virtual bool CreateFolders(const std::wstring& folder) = 0;
  // Converts `source` into `destination` (the same path for in place). On failure both are byte
  // for byte as before. The platform's attributes of the source are carried over. `wholeGuess`,
  // when given, is the library's guess over all of the source as it is now: the source is then
  // not guessed again.
  virtual nkf::ConvertResult Convert(const std::wstring& source, const std::wstring& destination,
                                     const nkf::ConvertOptions& options,
                                     const nkf::GuessResult* wholeGuess) = 0;
};

}  // namespace zentrel::cli
