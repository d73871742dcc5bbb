#include "conversion_files_posix.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "nkf32/file_convert.h"
#include "text_utf8.h"

namespace zentrel::cli {

namespace {

// The engine's wide paths carry undecodable name bytes as escapes; this restores the exact bytes.
std::filesystem::path NativePath(const std::wstring& path) {
  return std::filesystem::path(WideToUtf8(path));
}

}  // namespace

bool PosixConversionFiles::IsReadOnly(const std::wstring& path) {
  struct stat info {};
  // The mode, not access(): root may write anything, but the user's intent is in the bits.
  return ::stat(WideToUtf8(path).c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

std::uint64_t PosixConversionFiles::OtherNames(const std::wstring& path) {
  struct stat info {};
  if (::stat(WideToUtf8(path).c_str(), &info) != 0 || info.st_nlink < 1) return 0;
  return static_cast<std::uint64_t>(info.st_nlink) - 1;
}

std::optional<FileStamp> PosixConversionFiles::Stamp(const std::wstring& path) {
  return nkf::StampOf(NativePath(path));
}

std::optional<FileId> PosixConversionFiles::IdOf(const std::wstring& path) {
  struct stat info {};
  if (::stat(WideToUtf8(path).c_str(), &info) != 0) return std::nullopt;
  return FileId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

bool PosixConversionFiles::CreateFolders(const std::wstring& folder) {
  std::error_code error;
  const std::filesystem::path native = NativePath(folder);
  std::filesystem::create_directories(native, error);
  return std::filesystem::is_directory(native, error);
}

nkf::ConvertResult PosixConversionFiles::Convert(const std::wstring& source,
                                                 const std::wstring& destination,
                                                 const nkf::ConvertOptions& options,
                                                 const KnownGuess* known) {
  // The library keeps the owner and mode of a file it replaces, and replaces the file a symbolic
  // link points to, not the link.
  const std::filesystem::path from = NativePath(source);
  const std::filesystem::path to = NativePath(destination);
  return known ? nkf::ConvertFile(from, to, options, known->result, known->stamp)
               : nkf::ConvertFile(from, to, options);
}

}  // namespace zentrel::cli
