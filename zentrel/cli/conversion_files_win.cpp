#include "conversion_files_win.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

#include "nkf32/file_convert.h"

namespace zentrel::cli {

bool Win32ConversionFiles::IsReadOnly(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::optional<FileStamp> Win32ConversionFiles::Stamp(const std::wstring& path) {
  const HANDLE handle =
      ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const BOOL got = ::GetFileInformationByHandle(handle, &info);
  ::CloseHandle(handle);
  if (!got) return std::nullopt;
  const auto join = [](DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
  };
  return FileStamp{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                   join(info.nFileSizeHigh, info.nFileSizeLow),
                   join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime),
                   0};
}

bool Win32ConversionFiles::CreateFolders(const std::wstring& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return std::filesystem::is_directory(folder, error);
}

nkf::ConvertResult Win32ConversionFiles::Convert(const std::wstring& source,
                                                 const std::wstring& destination,
                                                 const nkf::ConvertOptions& options,
                                                 const nkf::GuessResult* wholeGuess) {
  const DWORD sourceAttributes = ::GetFileAttributesW(source.c_str());
  // A hidden, system or read-only destination refuses to be replaced; clear it first, as the
  // conversion job does, and give the result the source's attributes whatever the outcome.
  // Attributes are only set where they differ: each set costs a file system call.
  const DWORD destinationAttributes = ::GetFileAttributesW(destination.c_str());
  constexpr DWORD kInTheWay = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (destinationAttributes != INVALID_FILE_ATTRIBUTES && (destinationAttributes & kInTheWay))
    ::SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_NORMAL);
  const nkf::ConvertResult result = wholeGuess
                                        ? nkf::ConvertFile(source, destination, options, *wholeGuess)
                                        : nkf::ConvertFile(source, destination, options);
  DWORD wanted = INVALID_FILE_ATTRIBUTES;
  if (sourceAttributes != INVALID_FILE_ATTRIBUTES && (result.ok() || source == destination)) {
    wanted = sourceAttributes;
  } else if (destinationAttributes != INVALID_FILE_ATTRIBUTES) {
    wanted = destinationAttributes;  // left as it was
  }
  if (wanted != INVALID_FILE_ATTRIBUTES && ::GetFileAttributesW(destination.c_str()) != wanted)
    ::SetFileAttributesW(destination.c_str(), wanted);
  return result;
}

}  // namespace zentrel::cli
