#include "zentrel/platform/whole_file_write.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "zentrel/platform/unique_handle.h"

namespace zentrel::platform {
namespace {

// A temporary file that is deleted again unless it was moved into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (path_.empty()) return;
    const DWORD cause = GetLastError();  // the caller reads why the write failed
    DeleteFileW(path_.c_str());
    SetLastError(cause);
  }
  const std::wstring& Path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::wstring path_;
};

std::wstring FullPath(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return {};
  std::vector<wchar_t> buffer(length + 1);
  const DWORD copied = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (copied == 0 || copied >= buffer.size()) return {};
  return std::wstring(buffer.data(), copied);
}

}  // namespace

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes, Flush flush) {
  const std::wstring target = FullPath(path);
  const std::size_t slash = target.find_last_of(L"\\/");
  if (target.empty() || slash == std::wstring::npos) {
    SetLastError(ERROR_INVALID_NAME);
    return false;
  }
  const std::wstring folder = target.substr(0, slash + 1);
  // A read-only file is the user's "do not change": Windows refuses to replace one, and saying so
  // here keeps that true where the file system would let the move through.
  const DWORD existing = GetFileAttributesW(target.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }

  // A unique name, so a file the user keeps beside the target is never taken for ours.
  wchar_t temporaryName[MAX_PATH + 1] = {};
  if (!GetTempFileNameW(folder.c_str(), L"zen", 0, temporaryName)) {
    // It says "invalid directory name" for a folder that is not there: name the usual cause.
    if (GetLastError() == ERROR_DIRECTORY) SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  TemporaryFile temporary(temporaryName);
  {
    FileHandle file(CreateFileW(temporary.Path().c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid() || !WriteAll(file.Get(), bytes) ||
        (flush == Flush::Yes && !FlushFileBuffers(file.Get())) || !file.Close()) {
      return false;
    }
  }
  const DWORD move = MOVEFILE_REPLACE_EXISTING | (flush == Flush::Yes ? MOVEFILE_WRITE_THROUGH : 0);
  if (!MoveFileExW(temporary.Path().c_str(), target.c_str(), move)) return false;
  temporary.Keep();
  return true;
}

}  // namespace zentrel::platform
