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
  Missing,      // no such path (a link to nothing included)
  NoAccess,     // its attributes cannot be read (no access, or a cause not told apart)
  NameTooLong,  // the path or a name in it is longer than the file system allows
  File,         // a regular file
  Directory,
  Other,        // neither: a pipe, a device, a socket; never read (it may block or never end)
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
  // nullptr when the file cannot be opened for reading, or is not a regular file after all (it
  // may have been replaced since Kind). Other readers and writers are not locked out.
  virtual std::unique_ptr<ReadableFile> Open(const std::wstring& path) = 0;
};

}  // namespace zentrel
