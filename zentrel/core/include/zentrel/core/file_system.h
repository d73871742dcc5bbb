#pragma once
// What the inspection engine needs from the platform's file system. Paths are whatever text the
// platform uses (UTF-16 on Windows; on Linux the adapter maps the bytes of a name to wide text and
// back without loss).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace zentrel {

enum class PathKind : std::uint8_t {
  Missing,  // the attributes cannot be read (no such path, no access)
  File,
  Directory,
};

class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // The file's length (asked only when the whole file may be examined).
  virtual std::uint64_t Size() = 0;
  // Reads up to into.size() bytes from where the last read ended; 0 at the end or on an error.
  virtual std::size_t Read(std::span<std::uint8_t> into) = 0;
};

class DirectoryListing {
 public:
  virtual ~DirectoryListing() = default;
  // The next entry name in listing order ("." and ".." included when the platform lists them);
  // false when there are no more.
  virtual bool Next(std::wstring& name) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual PathKind Kind(const std::wstring& path) = 0;
  // nullptr when the directory cannot be listed.
  virtual std::unique_ptr<DirectoryListing> List(const std::wstring& directory) = 0;
  // nullptr when the file cannot be opened for reading. Other readers and writers are not locked
  // out.
  virtual std::unique_ptr<ReadableFile> Open(const std::wstring& path) = 0;
};

}  // namespace zentrel
