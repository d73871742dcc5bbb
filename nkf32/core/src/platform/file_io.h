#pragma once
// The few file operations a safe conversion needs; one implementation per platform
// (file_io_posix.cpp, file_io_win32.cpp), so the conversion logic above them is tested natively.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "nkf32/convert.h"
#include "nkf32/file_convert.h"

namespace nkf::detail {

// The cause of the failure of the last file operation of this thread (errno, GetLastError), to be
// asked at once after the failing call.
IoCause LastIoCause();

// A file opened for reading, shared with other readers and writers. Closed on destruction.
class SourceFile {
 public:
  SourceFile() = default;
  ~SourceFile();
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

  bool Open(const std::filesystem::path& path);
  // Bytes read into `buffer` (0 at the end of the file), or -1 on a read error.
  std::ptrdiff_t Read(std::uint8_t* buffer, std::size_t size);
  bool Rewind();
  void Close();
  // The open file's stamp, comparable with StampOf of its path.
  std::optional<FileStamp> Stamp() const;
  // How many names (hard links) the open file has; 1 when the system does not say.
  std::uint64_t NameCount() const;
  std::intptr_t NativeHandle() const { return handle_; }

 private:
  std::intptr_t handle_ = -1;
};

// The file a conversion in place replaces when `opened` was opened as `path`: the file a symbolic
// link points to (the link stays a link), or `path` itself. Into another file a link is replaced
// like any file, so a link planted in an output folder cannot send the output elsewhere.
std::filesystem::path InPlaceTarget(const SourceFile& opened, const std::filesystem::path& path);

// A new file beside `destination` (named as IsConversionTemporary says) that takes its place only
// through Commit(): flushed to disk, then
// renamed over the destination in one step. Destroyed without Commit() it is deleted, so a failed
// conversion leaves the destination as it was.
class ReplacementFile {
 public:
  ReplacementFile() = default;
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // The new file takes the owner and access rights of the file it replaces, and fails rather than
  // quietly giving the file to the converting user. `replaced` is that file, open, in place
  // (Windows reads its security through the handle); the POSIX side looks at `destination`.
  bool Create(const std::filesystem::path& destination, const SourceFile* replaced);
  bool Write(const std::uint8_t* data, std::size_t size);
  bool Commit();

 private:
  std::intptr_t handle_ = -1;
  std::filesystem::path tempPath_;
  std::filesystem::path destination_;
  int registered_ = -1;  // its slot among the temporaries a signal removes
};

}  // namespace nkf::detail
