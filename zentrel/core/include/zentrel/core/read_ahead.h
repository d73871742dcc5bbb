#pragma once
// Reads made ahead of an inspection. A conversion job reads each file for its re-check right after
// converting it, on a thread of its own while the next file converts; the re-check pass then
// inspects from those bytes instead of opening every file again. What is read is exactly what the
// inspection would read of the file at that moment: its kind, and its first bytes as far as the
// read size lets the inspection examine.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zentrel/core/file_system.h"

namespace zentrel {

struct ReadAheadFile {
  PathKind kind = PathKind::Missing;
  bool opened = false;              // a regular file that could be opened for reading
  std::uint64_t size = 0;           // its length, when opened
  std::vector<std::uint8_t> bytes;  // its first ExaminedLength(size, readSize) bytes (fewer if it shrank)
};

// What an inspection with "readsize" `readSize` reads of `path`, or nothing when that would hold
// more than `budget` bytes (the inspection then reads the file itself).
std::optional<ReadAheadFile> ReadAhead(FileSystem& files, const std::wstring& path, int readSize,
                                       std::uint64_t budget);

// Answers Kind and Open of the paths read ahead from their reads (each read is handed out once),
// and everything else from `disk`.
class ReadAheadFileSystem final : public FileSystem {
 public:
  explicit ReadAheadFileSystem(FileSystem& disk) : disk_(disk) {}
  void Add(std::wstring path, ReadAheadFile file) { files_.insert_or_assign(std::move(path), std::move(file)); }

  PathKind Kind(const std::wstring& path) override;
  std::unique_ptr<DirectoryListing> List(const std::wstring& directory) override { return disk_.List(directory); }
  std::unique_ptr<ReadableFile> Open(const std::wstring& path) override;

 private:
  FileSystem& disk_;
  std::map<std::wstring, ReadAheadFile> files_;
};

}  // namespace zentrel
