#pragma once
// Converting a file into another (or itself) without ever leaving a partial or damaged file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "nkf32/convert.h"

namespace nkf {

// Files up to this size are read once and converted in memory; larger ones are read twice (guess,
// then convert) in bounded memory. Tests pass a smaller limit to take either way on small files.
inline constexpr std::size_t kHeldWholeLimit = std::size_t{64} << 20;

// Reads `source` (once if it fits in `heldWholeLimit`, otherwise twice), writes the result into a
// temporary file beside `destination`, flushes it and only then replaces `destination` atomically.
// On any failure `destination` (and `source`) are byte for byte as before and the temporary file is
// gone. `source` and `destination` may name the same file; in place, a file with several hard links
// is refused (ConvertError::SeveralNames). With options.guessOnly nothing is written.
ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, std::size_t heldWholeLimit = kHeldWholeLimit);

// The same for a caller that already knows the input encoding (it guessed over the whole file, or
// was told): `source` is read once, and `guess` is taken as ConvertWithGuess takes it. With
// options.guessOnly nothing is written and result.input is guess.encoding.
ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, const GuessResult& guess,
                          std::size_t heldWholeLimit = kHeldWholeLimit);

// The temporary file a conversion writes beside its destination is named ".nkf32-" and six letters
// or digits, whatever the destination is called: a long name with a suffix added could pass the
// file system's limit on names. True for such a name (a walk skips them: they are our own work).
bool IsConversionTemporary(std::wstring_view name);

// Removes the temporary file of every conversion still under way, for a program that is being
// stopped (safe in a POSIX signal handler and a Windows console control handler); their
// destinations are left as they were. A conversion interrupted so is not to be continued.
void RemoveConversionTemporaries();

// Which file a path names and how it stood: equal stamps mean the same file, unchanged as far as
// its identity, size and times tell. A file replaced by a conversion is a new file.
struct FileStamp {
  std::uint64_t volume = 0;
  std::uint64_t id = 0;
  std::uint64_t size = 0;
  std::uint64_t modified = 0;  // platform units
  std::uint64_t changed = 0;   // status change where the platform has one, else 0

  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file `path` names. Nothing when it cannot be looked at, or when its stamp could
// not tell a change from none (a file written moments ago, where times are kept coarsely).
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// The same for a guess made over the whole file while it had the stamp `guessedAs`: the guess is
// taken only when the file opened for the conversion still has that stamp, checked on the open
// file itself (another process may replace the file between any look by name and the open);
// otherwise the file is guessed again like the first ConvertFile does.
ConvertResult ConvertFile(const std::filesystem::path& source, const std::filesystem::path& destination,
                          const ConvertOptions& options, const GuessResult& guess,
                          const FileStamp& guessedAs, std::size_t heldWholeLimit = kHeldWholeLimit);

}  // namespace nkf
