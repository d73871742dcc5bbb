#include <windows.h>
// after windows.h
#include <aclapi.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "file_io.h"
#include "nkf32/verbatim_path.h"
#include "temp_files.h"

namespace nkf::detail {
namespace {

HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }
constexpr std::intptr_t kNoHandle = -1;  // INVALID_HANDLE_VALUE

// Renames the open file over `destination`, replacing it. Through the handle the file is not opened
// again by name, as MoveFileExW does: under Wine that was a third of a replacement's cost. A file
// system that refuses it leaves the caller to MoveFileExW.
bool RenameOpenFile(HANDLE file, const std::filesystem::path& destination) {
  const std::wstring name = VerbatimPath(destination.native());
  const std::size_t nameBytes = name.size() * sizeof(wchar_t);
  std::vector<std::uint8_t> block(sizeof(FILE_RENAME_INFO) + nameBytes);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(block.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nameBytes);
  std::memcpy(info->FileName, name.data(), nameBytes);
  return ::SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(block.size())) != 0;
}

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// By name no file index is to be had without opening the file, so a stamp names the file by its
// creation time (a replacement renamed over the file brings its own) on both sides.
FileStamp StampFrom(const FILETIME& created, const FILETIME& written, DWORD sizeHigh, DWORD sizeLow) {
  return FileStamp{0, Ticks(created), (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow,
                   Ticks(written), 0};
}

struct LocalFreer {
  void operator()(void* memory) const { ::LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalFreer>;

// The owner a file this process creates gets, asked once: the token does not change while it runs.
PSID DefaultOwner() {
  static const std::unique_ptr<std::uint8_t[]> owner = [] {
    std::unique_ptr<std::uint8_t[]> copy;
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return copy;
    DWORD size = 0;
    ::GetTokenInformation(token, TokenOwner, nullptr, 0, &size);
    auto info = std::make_unique<std::uint8_t[]>(size);
    if (size && ::GetTokenInformation(token, TokenOwner, info.get(), size, &size)) {
      const PSID sid = reinterpret_cast<TOKEN_OWNER*>(info.get())->Owner;
      const DWORD length = ::GetLengthSid(sid);
      copy = std::make_unique<std::uint8_t[]>(length);
      ::CopySid(length, copy.get(), sid);
    }
    ::CloseHandle(token);
    return copy;
  }();
  return owner.get();
}

// Gives the new file `temp` (open with WRITE_DAC) the access rights and the owner of `replaced`,
// as a rename would not: the new file would get the folder's inherited rights and the converting
// user as owner. A file system without security has nothing to keep. False, with the cause set,
// when the rights cannot be set or the owner cannot be given (another user's file, converted
// without the privilege to give files away): the conversion fails rather than take the file over.
bool KeepSecurity(HANDLE replaced, HANDLE temp, const std::wstring& tempPath) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetSecurityInfo(replaced, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                        &owner, nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
    return true;
  const LocalMemory held(descriptor);
  // The list as it is, inherited entries marked so and the protection flag with it (SetSecurityInfo
  // would merge in the folder's inheritable entries, which the file may have been cut off from).
  if (dacl && !::SetKernelObjectSecurity(temp, DACL_SECURITY_INFORMATION, descriptor)) return false;
  const PSID mine = DefaultOwner();
  if (!owner || (mine && ::EqualSid(owner, mine))) return true;
  std::wstring name = tempPath;
  if (const DWORD error = ::SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, owner,
                                                  nullptr, nullptr, nullptr)) {
    ::SetLastError(error);
    return false;
  }
  return true;
}

}  // namespace

std::optional<FileStamp> SourceFile::Stamp() const {
  BY_HANDLE_FILE_INFORMATION info{};
  if (handle_ == kNoHandle || !::GetFileInformationByHandle(AsHandle(handle_), &info)) return std::nullopt;
  return StampFrom(info.ftCreationTime, info.ftLastWriteTime, info.nFileSizeHigh, info.nFileSizeLow);
}

std::uint64_t SourceFile::NameCount() const {
  // The standard information only: GetFileInformationByHandle asks the volume too, which costs a
  // millisecond per file under Wine.
  FILE_STANDARD_INFO info{};
  if (!::GetFileInformationByHandleEx(AsHandle(handle_), FileStandardInfo, &info, sizeof info) ||
      info.NumberOfLinks < 1)
    return 1;
  return info.NumberOfLinks;
}

SourceFile::~SourceFile() { Close(); }

bool SourceFile::Open(const std::filesystem::path& path) {
  Close();
  HANDLE h = ::CreateFileW(VerbatimPath(path.native()).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  handle_ = reinterpret_cast<std::intptr_t>(h);
  return true;
}

std::ptrdiff_t SourceFile::Read(std::uint8_t* buffer, std::size_t size) {
  DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  DWORD got = 0;
  if (!::ReadFile(AsHandle(handle_), buffer, want, &got, nullptr)) return -1;
  return static_cast<std::ptrdiff_t>(got);
}

bool SourceFile::Rewind() {
  LARGE_INTEGER zero{};
  return ::SetFilePointerEx(AsHandle(handle_), zero, nullptr, FILE_BEGIN) != 0;
}

void SourceFile::Close() {
  if (handle_ != kNoHandle) ::CloseHandle(AsHandle(handle_));
  handle_ = kNoHandle;
}

std::filesystem::path InPlaceTarget(const SourceFile& opened, const std::filesystem::path& path) {
  // Asked of the open file, which the system reached through any link: a symbolic link (and under
  // Wine a link of the host's file system, which shows no sign of being one) names its target here.
  std::wstring final(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(AsHandle(opened.NativeHandle()), final.data(),
                                                     static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    if (length == 0) return path;  // a volume without a drive letter: as given
    if (length < final.size()) {
      final.resize(length);
      return final;
    }
    final.resize(length);
  }
}

IoCause LastIoCause() {
  switch (::GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return IoCause::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_OWNER:
    case ERROR_PRIVILEGE_NOT_HELD: return IoCause::Permission;
    case ERROR_WRITE_PROTECT: return IoCause::ReadOnlyFileSystem;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return IoCause::DiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return IoCause::InUse;
    case ERROR_FILENAME_EXCED_RANGE: return IoCause::NameTooLong;
    default: return IoCause::Unknown;
  }
}

void RemoveTemporary(const TempChar* path) {
  // The temporary is open (shared for deletion): it goes when the dying process closes it. The path
  // is already literal.
  ::DeleteFileW(path);
}

ReplacementFile::~ReplacementFile() {
  ForgetTemporary(registered_);
  if (handle_ != kNoHandle) ::CloseHandle(AsHandle(handle_));
  if (!tempPath_.empty()) ::DeleteFileW(tempPath_.c_str());
}

bool ReplacementFile::Create(const std::filesystem::path& destination, const SourceFile* replaced) {
  static std::atomic<unsigned> counter{0};
  static constexpr wchar_t kDigits[] = L"0123456789abcdefghijklmnopqrstuvwxyz";
  destination_ = destination;
  std::filesystem::path folder = destination.parent_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Six letters or digits from the process and a counter, as IsConversionTemporary expects.
    unsigned long long seed = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 20) ^ counter++;
    std::wstring name = L".nkf32-";
    for (int i = 0; i < 6; ++i, seed /= 36) name += kDigits[seed % 36];
    std::filesystem::path temp = VerbatimPath((folder / name).native());
    // The creator may always change the rights of its new file (WRITE_DAC).
    HANDLE h = ::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE | WRITE_DAC, FILE_SHARE_DELETE, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(h);
      tempPath_ = temp;
      registered_ = RegisterTemporary(tempPath_.c_str(), tempPath_.native().size());
      return !replaced || KeepSecurity(AsHandle(replaced->NativeHandle()), h, tempPath_.native());
    }
    if (::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool ReplacementFile::Write(const std::uint8_t* data, std::size_t size) {
  while (size) {
    DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(AsHandle(handle_), data, chunk, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

bool ReplacementFile::Commit() {
  HANDLE h = AsHandle(handle_);
  handle_ = kNoHandle;
  const bool flushed = ::FlushFileBuffers(h) != 0;
  const bool renamed = flushed && RenameOpenFile(h, destination_);
  const bool closed = ::CloseHandle(h) != 0;
  if (renamed) {
    // The flushed file has taken the destination's place: that is the conversion's result.
    tempPath_.clear();
    ForgetTemporary(std::exchange(registered_, -1));
    return true;
  }
  if (!flushed || !closed ||
      !::MoveFileExW(tempPath_.c_str(), VerbatimPath(destination_.native()).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return false;
  tempPath_.clear();
  ForgetTemporary(std::exchange(registered_, -1));
  return true;
}

}  // namespace nkf::detail

namespace nkf {

namespace {
// Some file systems keep a file's times to two seconds (FAT): a file written less than this long
// ago could be written again, to the same size, without its time changing. In 100 ns ticks.
constexpr std::uint64_t kSettledAge = std::uint64_t{4} * 10'000'000;
}  // namespace

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
  // By name, without opening the file: an open and close cost several times more (two file system
  // round trips each under Wine).
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(VerbatimPath(path.native()).c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  if (detail::Ticks(now) < detail::Ticks(data.ftLastWriteTime) + kSettledAge) return std::nullopt;
  return detail::StampFrom(data.ftCreationTime, data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow);
}

std::wstring VerbatimPath(std::wstring_view path) {
  std::wstring current(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
    if (length < current.size()) {
      current.resize(length);
      break;
    }
    current.resize(length);
  }
  return VerbatimPath(path, current);
}

}  // namespace nkf
