#pragma once
// The Windows file system for the inspection engine: GetFileAttributesW, the FindFirstFileW listing
// (in the order it returns names) and CreateFileW reads that lock nobody out. Shared by zentrel-cli
// and the GUI engine.

#include <cstdint>

#include "zentrel/convert/output_guard.h"
#include "zentrel/core/file_system.h"

namespace zentrel {

class Win32FileSystem final : public FileSystem {
 public:
  PathKind Kind(const std::wstring& path) override;
  // Lists `directory` + "\*", the separator appended whatever the path ends with.
  std::unique_ptr<DirectoryListing> List(const std::wstring& directory) override;
  std::unique_ptr<ReadableFile> Open(const std::wstring& path) override;
};

// Files by volume serial number and file index, for the output guard of a conversion.
class Win32FileIdentity final : public FileIdentity {
 public:
  std::optional<FileId> IdOf(const std::wstring& path) override;
};

// The names the file `path` has (hard links); 0 when it cannot be looked at.
std::uint32_t HardLinkCount(const std::wstring& path);

}  // namespace zentrel
