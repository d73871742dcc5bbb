#pragma once
// The one owner of a Win32 handle: CloseHandle for files and threads, FindClose for searches.
// Both null and INVALID_HANDLE_VALUE mean "none" (CreateThread gives the one, CreateFileW the other).

#include <windows.h>

#include <utility>

namespace zentrel::platform {

template <BOOL(WINAPI* CloseFunction)(HANDLE)>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Close(); }

  bool IsValid() const noexcept { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const noexcept { return handle_; }
  // Closing can report a deferred write failure (a network drive after buffered writes): a writer
  // must hear of it.
  bool Close() noexcept {
    return !IsValid() || CloseFunction(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using FileHandle = UniqueHandle<CloseHandle>;  // files, threads, any kernel object
using FindHandle = UniqueHandle<FindClose>;

}  // namespace zentrel::platform
