#pragma once
// An owned Win32 file handle, and writing a whole buffer through one: shared by the writers that
// replace a file in one piece (the settings file, exported lists).

#include <windows.h>

#include <string_view>
#include <utility>

namespace zentrel {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) noexcept : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }

  bool IsValid() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const noexcept { return handle_; }
  // Closing can report a deferred write failure (a network drive after buffered writes): the
  // writer must hear of it.
  bool Close() noexcept {
    return !IsValid() || CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
  }

 private:
  HANDLE handle_;
};

// Writes all of bytes at the file's position; false on the first failed or empty write.
inline bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace zentrel
