#include "zentrel/settings/settings_file_io.h"

#include <windows.h>

#include "zentrel/settings/settings_error.h"
#include "zentrel/platform/unique_handle.h"
#include "zentrel/platform/whole_file_write.h"

namespace zentrel {

namespace {

[[noreturn]] void ThrowLastError(const char* operation) {
  const DWORD error = GetLastError();
  throw SettingsError(operation, HRESULT_FROM_WIN32(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT));
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  // Shared with writers and deleters too: a file another program holds open (an editor) must still
  // be read, or it would be taken for damaged.
  platform::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.IsValid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > kMaxSettingsFileBytes) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                         read != bytes.size())) {
    return std::nullopt;
  }
  return bytes;
}

bool PathExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyToBackup(const std::wstring& path, const std::wstring& backupPath) {
  if (!CopyFileW(path.c_str(), backupPath.c_str(), FALSE)) {
    throw SettingsBackupError("the settings file that did not load cannot be kept as a backup",
                              HRESULT_FROM_WIN32(GetLastError()));
  }
}

void ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
  if (!platform::WriteWholeFile(path, bytes, platform::Flush::Yes)) ThrowLastError("the settings file cannot be written");
}

}  // namespace zentrel
