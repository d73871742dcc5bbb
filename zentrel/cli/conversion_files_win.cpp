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

namespace {

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Some file systems keep a file's times to two seconds (FAT): a file written less than this long
// ago could be written again, to the same size, without its time changing. In 100 ns ticks.
constexpr std::uint64_t kSettledAge = std::uint64_t{4} * 10'000'000;

}  // namespace

std::optional<FileStamp> Win32ConversionFiles::Stamp(const std::wstring& path) {
  // By name, without opening the file: an open and close cost several times more (two file system
  // round trips each under Wine), and every converted file is stamped twice.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  const std::uint64_t modified = Ticks(data.ftLastWriteTime);
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  if (Ticks(now) < modified + kSettledAge) return std::nullopt;  // recent, or in the future
  // No file index without opening the file: the creation time stands in for the identity (a
  // replacement renamed over the file usually brings its own).
  return FileStamp{0, Ticks(data.ftCreationTime),
                   (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   modified, 0};
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
