#pragma once
// What a conversion needs from the platform beyond reading files: folders for the output, the
// library's safe file conversion on the platform's paths, and the file attributes around it.

#include <cstdint>
#include <optional>
#include <string>

#include "nkf32/convert.h"
#include "nkf32/file_convert.h"
#include "zentrel/convert/output_guard.h"

namespace zentrel::cli {

// Which file a path names and how it stood (see nkf::FileStamp).
using FileStamp = nkf::FileStamp;

// The library's guess over the whole of a file, and the file's stamp when it was guessed.
struct KnownGuess {
  nkf::GuessResult result;
  FileStamp stamp;
};

// IdOf (from FileIdentity): which file a path names, for the output guard.
class ConversionFiles : public FileIdentity {
 public:
  virtual ~ConversionFiles() = default;
  // A file the user marked read-only is not replaced by a tool that cannot ask first.
  virtual bool IsReadOnly(const std::wstring& path) = 0;
  // Names the file has besides `path` (hard links): replacing the file under one name would part
  // it from the others. 0 where the platform does not say.
  virtual std::uint64_t OtherNames(const std::wstring&) { return 0; }
  // Nothing when the file cannot be looked at, or when its stamp could not tell a change from
  // none (a file written moments ago, where times are kept coarsely).
  virtual std::optional<FileStamp> Stamp(const std::wstring& path) = 0;
  // Creates `folder` with its missing parents; true when it exists afterwards.
  virtual bool CreateFolders(const std::wstring& folder) = 0;
  // Converts `source` into `destination` (the same path for in place). On failure both are byte
  // for byte as before. The platform's attributes of the source are carried over. `known`, when
  // given, is the library's guess over all of the source: it is taken if the source opened for the
  // conversion still has the stamp it had then, and otherwise the source is guessed again.
  virtual nkf::ConvertResult Convert(const std::wstring& source, const std::wstring& destination,
                                     const nkf::ConvertOptions& options, const KnownGuess* known) = 0;
};

}  // namespace zentrel::cli
