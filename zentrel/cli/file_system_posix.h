#pragma once
// The Linux file system for zentrel-cli. Directories are listed in the order NTFS (and so
// FindFirstFileW) returns names, ordinal over upper-cased UTF-16, so the Linux and Windows tools
// print the same tree in the same order.

#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
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

  // The directories whose listings are alive: the current folder and its ancestors in the walk.
  std::set<DirectoryId> openDirectories_;
  // The kinds a listing reported for its entries ("dir/name"), used once by the walk's next Kind()
  // of that path instead of a stat per file, as FindFirstFileW hands over attributes with names.
  // Symbolic links and unknown types are not recorded: they are looked up.
  std::unordered_map<std::wstring, PathKind> listedKinds_;
};

}  // namespace zentrel::cli
