#include "guidriver/temp_folder.h"

#include "guidriver/driver_error.h"
#include "guidriver/unique_handle.h"

#include <windows.h>

#include <atomic>
#include <filesystem>

namespace guidriver {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t base[MAX_PATH + 1] = {};
  if (!::GetTempPathW(MAX_PATH + 1, base)) ThrowLastError("GetTempPathW failed");
  // Process id plus a counter: parallel test executables and repeated tests never collide.
  for (int attempt = 0;; ++attempt) {
    std::wstring candidate = std::wstring(base) + L"guidriver-" + std::to_wstring(::GetCurrentProcessId()) +
                             L"-" + std::to_wstring(counter++);
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = std::move(candidate);
      return;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS || attempt > 1000) {
      ThrowLastError("cannot create a temporary folder '" + Utf8(candidate) + "'");
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Read-only files would stop remove_all; tests make some on purpose.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       !ignored && it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    ::SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::filesystem::remove_all(path_, ignored);
}

bool FileExists(const std::wstring& path) {
  return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::wstring& path) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  if (!file) {
    ThrowLastError("cannot open '" + Utf8(path) + "'");
  }
  std::string bytes;
  char chunk[65536];
  DWORD read = 0;
  while (::ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!file) {
    ThrowLastError("cannot create '" + Utf8(path) + "'");
  }
  DWORD written = 0;
  if (!::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    ThrowLastError("cannot write '" + Utf8(path) + "'");
  }
}

}  // namespace guidriver
