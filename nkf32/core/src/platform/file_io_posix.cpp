#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "file_io.h"
#include "temp_files.h"

namespace nkf::detail {

namespace {
constexpr const char* kTempPattern = ".nkf32-XXXXXX";
}  // namespace

void RemoveTemporary(const TempChar* path) { ::unlink(path); }

IoCause LastIoCause() {
  switch (errno) {
    case ENOENT:
    case ENOTDIR: return IoCause::NotFound;
    case EACCES:
    case EPERM: return IoCause::Permission;
    case EROFS: return IoCause::ReadOnlyFileSystem;
    case ENOSPC:
    case EDQUOT: return IoCause::DiskFull;
    case ETXTBSY:
    case EBUSY: return IoCause::InUse;
    case ENAMETOOLONG: return IoCause::NameTooLong;
    default: return IoCause::Unknown;
  }
}

SourceFile::~SourceFile() { Close(); }

bool SourceFile::Open(const std::filesystem::path& path) {
  Close();
  // Only a regular file is converted: a pipe would block, a device such as /dev/zero never end.
  // Opened without blocking, so a pipe is refused rather than waited on.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return false;
  }
  handle_ = fd;  // O_NONBLOCK stays: it changes nothing in reads of a regular file
  return true;
}

std::ptrdiff_t SourceFile::Read(std::uint8_t* buffer, std::size_t size) {
  for (;;) {
    ssize_t n = ::read(static_cast<int>(handle_), buffer, size);
    if (n >= 0) return n;
    if (errno != EINTR) return -1;
  }
}

namespace {

FileStamp StampFrom(const struct stat& info) {
  const auto nanoseconds = [](const timespec& t) {
    return static_cast<std::uint64_t>(t.tv_sec) * 1000000000u + static_cast<std::uint64_t>(t.tv_nsec);
  };
  // The status change time as well: a writer can set the modification time back, not that one.
  return FileStamp{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                   static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim),
                   nanoseconds(info.st_ctim)};
}

}  // namespace

std::optional<FileStamp> SourceFile::Stamp() const {
  struct stat info {};
  if (handle_ < 0 || ::fstat(static_cast<int>(handle_), &info) != 0) return std::nullopt;
  return StampFrom(info);
}

std::uint64_t SourceFile::NameCount() const {
  struct stat info {};
  if (::fstat(static_cast<int>(handle_), &info) != 0 || info.st_nlink < 1) return 1;
  return static_cast<std::uint64_t>(info.st_nlink);
}

bool SourceFile::Rewind() { return ::lseek(static_cast<int>(handle_), 0, SEEK_SET) == 0; }

void SourceFile::Close() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
}

ReplacementFile::~ReplacementFile() {
  ForgetTemporary(registered_);
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
}

std::filesystem::path InPlaceTarget(const SourceFile&, const std::filesystem::path& path) {
  struct stat link;
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return path;  // a link to nothing: there is nothing to convert through it
  std::filesystem::path target = real;
  std::free(real);
  return target;
}

bool ReplacementFile::Create(const std::filesystem::path& destination, const SourceFile*) {
  destination_ = destination;
  std::filesystem::path folder = destination_.parent_path();
  if (folder.empty()) folder = ".";
  std::string pattern = (folder / kTempPattern).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // No signal between the file's creation and its registration, or a handler could miss it.
  sigset_t all, previous;
  ::sigfillset(&all);
  ::pthread_sigmask(SIG_BLOCK, &all, &previous);
  int fd = ::mkstemp(name.data());
  if (fd >= 0) registered_ = RegisterTemporary(name.data(), name.size() - 1);
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  if (fd < 0) return false;
  handle_ = fd;
  tempPath_ = name.data();
  // The replacement keeps the owner and the permissions of the file it replaces. An owner that
  // cannot be kept (another user's file, converted without the right to give files away) fails
  // the conversion rather than quietly taking the file over.
  // A symbolic link here (into another file: see InPlaceTarget) is replaced like a new file.
  struct stat st;
  if (::lstat(destination_.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) {
    ::fchmod(fd, 0644);
    return true;
  }
  struct stat mine;
  if (::fstat(fd, &mine) != 0) return false;
  if ((mine.st_uid != st.st_uid || mine.st_gid != st.st_gid) && ::fchown(fd, st.st_uid, st.st_gid) != 0)
    return false;
  return ::fchmod(fd, st.st_mode & 07777) == 0;
}

bool ReplacementFile::Write(const std::uint8_t* data, std::size_t size) {
  while (size) {
    ssize_t n = ::write(static_cast<int>(handle_), data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool ReplacementFile::Commit() {
  int fd = static_cast<int>(handle_);
  handle_ = -1;
  bool ok = ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || ::rename(tempPath_.c_str(), destination_.c_str()) != 0) return false;
  tempPath_.clear();
  ForgetTemporary(std::exchange(registered_, -1));
  return true;
}

}  // namespace nkf::detail

namespace nkf {

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return detail::StampFrom(info);
}

}  // namespace nkf
