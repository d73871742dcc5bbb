#include "conversion_files_win.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

#include "file_system_win.h"
#include "nkf32/file_convert.h"
#include "nkf32/verbatim_path.h"

namespace zentrel::cli {

bool Win32ConversionFiles::IsReadOnly(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(nkf::VerbatimPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::uint64_t Win32ConversionFiles::OtherNames(const std::wstring& path) {
  const std::uint32_t names = HardLinkCount(path);
  return names > 1 ? names - 1 : 0;
}

std::optional<FileStamp> Win32ConversionFiles::Stamp(const std::wstring& path) {
  return nkf::StampOf(path);
}

std::optional<FileId> Win32ConversionFiles::IdOf(const std::wstring& path) {
  return Win32FileIdentity().IdOf(path);
}

bool Win32ConversionFiles::CreateFolders(const std::wstring& folder) {
  std::error_code error;
  const std::filesystem::path literal = nkf::VerbatimPath(folder);
  std::filesystem::create_directories(literal, error);
  return std::filesystem::is_directory(literal, error);
}

nkf::ConvertResult Win32ConversionFiles::Convert(const std::wstring& source,
                                                 const std::wstring& destination,
                                                 const nkf::ConvertOptions& options,
                                                 const KnownGuess* known) {
  // The library names the files literally itself; the attribute calls here do the same.
  const std::wstring literalSource = nkf::VerbatimPath(source);
  const std::wstring literalDestination = nkf::VerbatimPath(destination);
  const DWORD sourceAttributes = ::GetFileAttributesW(literalSource.c_str());
  // A hidden, system or read-only destination refuses to be replaced; clear it first, as the
  // conversion job does, and give the result the source's attributes whatever the outcome.
  // Attributes are only set where they differ: each set costs a file system call.
  const DWORD destinationAttributes = ::GetFileAttributesW(literalDestination.c_str());
  constexpr DWORD kInTheWay = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (destinationAttributes != INVALID_FILE_ATTRIBUTES && (destinationAttributes & kInTheWay))
    ::SetFileAttributesW(literalDestination.c_str(), FILE_ATTRIBUTE_NORMAL);
  const nkf::ConvertResult result =
      known ? nkf::ConvertFile(source, destination, options, known->result, known->stamp)
            : nkf::ConvertFile(source, destination, options);
  DWORD wanted = INVALID_FILE_ATTRIBUTES;
  if (sourceAttributes != INVALID_FILE_ATTRIBUTES && (result.ok() || source == destination)) {
    wanted = sourceAttributes;
  } else if (destinationAttributes != INVALID_FILE_ATTRIBUTES) {
    wanted = destinationAttributes;  // left as it was
  }
  if (wanted != INVALID_FILE_ATTRIBUTES && ::GetFileAttributesW(literalDestination.c_str()) != wanted)
    ::SetFileAttributesW(literalDestination.c_str(), wanted);
  return result;
}

}  // namespace zentrel::cli
