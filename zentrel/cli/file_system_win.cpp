#include "file_system_win.h"

#include <windows.h>

#include <utility>

#include "nkf32/verbatim_path.h"

namespace zentrel {

namespace {

// One owner for a Win32 handle; Close is FindClose or CloseHandle.
template <BOOL(WINAPI* Close)(HANDLE)>
class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() {
    if (valid()) Close(handle_);
  }
  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle& operator=(UniqueHandle&&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

 private:
  HANDLE handle_;
};

using FileHandle = UniqueHandle<CloseHandle>;
using FindHandle = UniqueHandle<FindClose>;

class Win32File final : public ReadableFile {
 public:
  explicit Win32File(FileHandle handle) : handle_(std::move(handle)) {}
  std::uint64_t Size() override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(handle_.get(), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  }
  std::size_t Read(std::span<std::uint8_t> into) override {
    // A file reads short only at its end, so the caller's next read need not ask again.
    if (atEnd_) return 0;
    // ReadFile counts in 32 bits; the engine loops for the rest.
    const DWORD want = into.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(into.size());
    DWORD got = 0;
    if (!ReadFile(handle_.get(), into.data(), want, &got, nullptr)) return 0;
    atEnd_ = got < want;
    return got;
  }

 private:
  FileHandle handle_;
  bool atEnd_ = false;
};

class FindListing final : public DirectoryListing {
 public:
  FindListing(FindHandle find, const WIN32_FIND_DATAW& first)
      : find_(std::move(find)), data_(first) {}
  bool Next(std::wstring& name) override {
    if (!havePending_ && !FindNextFileW(find_.get(), &data_)) return false;
    havePending_ = false;
    name = data_.cFileName;
    return true;
  }

 private:
  FindHandle find_;
  WIN32_FIND_DATAW data_;
  bool havePending_ = true;  // FindFirstFileW already delivered the first entry
};

}  // namespace

// Every call names its file literally (see nkf::VerbatimPath): "aux.txt" or "nul" in a folder is a
// file there, not a device, and "name." keeps its dot.
PathKind Win32FileSystem::Kind(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(nkf::VerbatimPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    switch (GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_INVALID_NAME:
      case ERROR_BAD_NETPATH:
        return PathKind::Missing;
      case ERROR_FILENAME_EXCED_RANGE: return PathKind::NameTooLong;
      default: return PathKind::NoAccess;
    }
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return PathKind::Directory;
  return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? PathKind::Other : PathKind::File;
}

std::unique_ptr<DirectoryListing> Win32FileSystem::List(const std::wstring& directory) {
  std::wstring pattern = nkf::VerbatimPath(directory);
  if (pattern.back() != L'\\') pattern += L'\\';  // a drive root ends in one already
  pattern += L'*';
  WIN32_FIND_DATAW first{};
  FindHandle find(FindFirstFileW(pattern.c_str(), &first));
  if (!find.valid()) return nullptr;
  return std::make_unique<FindListing>(std::move(find), first);
}

std::unique_ptr<ReadableFile> Win32FileSystem::Open(const std::wstring& path) {
  FileHandle handle(CreateFileW(nkf::VerbatimPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!handle.valid()) return nullptr;
  // A pipe or a device opened by its name is not read: it may block or never end.
  if (GetFileType(handle.get()) != FILE_TYPE_DISK) return nullptr;
  return std::make_unique<Win32File>(std::move(handle));
}

namespace {

// What a file's handle tells without access to its content.
std::optional<BY_HANDLE_FILE_INFORMATION> HandleInformation(const std::wstring& path) {
  FileHandle file(CreateFileW(nkf::VerbatimPath(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return info;
}

}  // namespace

std::optional<FileId> Win32FileIdentity::IdOf(const std::wstring& path) {
  const std::optional<BY_HANDLE_FILE_INFORMATION> info = HandleInformation(path);
  if (!info) return std::nullopt;
  return FileId{info->dwVolumeSerialNumber,
                (static_cast<std::uint64_t>(info->nFileIndexHigh) << 32) | info->nFileIndexLow};
}

std::uint32_t HardLinkCount(const std::wstring& path) {
  const std::optional<BY_HANDLE_FILE_INFORMATION> info = HandleInformation(path);
  return info ? info->nNumberOfLinks : 0;
}

}  // namespace zentrel
