#include "glimmet/platform/file_io.h"

#include "glimmet/platform/unique_handle.h"

namespace glimmet::platform {

std::optional<std::string> ReadWholeFile(const std::wstring& path, std::size_t limit) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || static_cast<unsigned long long>(size.QuadPart) > limit)
    return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
    return std::nullopt;
  bytes.resize(read);
  return bytes;
}

bool ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
  const std::wstring temporary = path + L".new~";
  {
    FileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const bool ok = (bytes.empty() || ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                                  &written, nullptr)) &&
                    written == bytes.size() && ::FlushFileBuffers(file.Get());
    if (!ok) {
      file.Reset();
      ::DeleteFileW(temporary.c_str());
      return false;
    }
  }
  if (::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  ::DeleteFileW(temporary.c_str());
  return false;
}

bool PathExists(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  FindHandle find(::FindFirstFileW(path.c_str(), &data));
  return static_cast<bool>(find);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace glimmet::platform
