#pragma once
// The Linux file system for zentrel-cli. Directories are listed in the order NTFS (and so
// FindFirstFileW) returns names, ordinal over upper-cased UTF-16, so the Linux and Windows tools
// print the same tree in the same order.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "zentrel/core/file_system.h"

namespace zentrel::cli {

// True when a sorts before b in NTFS directory order.
bool NtfsNameLess(const std::wstring& a, const std::wstring& b);

class PosixFileSystem final : public FileSystem {
 public:
  PathKind Kind(const std::wstring& path) override;
  std::unique_ptr<DirectoryListing> List(const std::wstring& directory) override;
  std::unique_ptr<ReadableFile> Open(const std::wstring& path) override;

 private:
  class SortedListing;
  using DirectoryId = std::pair<std::uint64_t, std::uint64_t>;  // device, inode

  // The listings alive, innermost last: the folder being walked and its ancestors. Their entries
  // answer Kind() for the walk without a stat per file, as FindFirstFileW hands over attributes
  // with names, and their identities stop a walk from entering a folder it is already inside.
  std::vector<SortedListing*> walking_;
};

}  // namespace zentrel::cli
