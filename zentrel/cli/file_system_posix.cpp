#include "file_system_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "text_utf8.h"

namespace zentrel::cli {

namespace {

// Upper-cases one UTF-16 unit the way the NTFS up-case table does for the common scripts: simple
// Unicode upper-casing of the BMP character, surrogates unchanged.
char16_t UpcaseUnit(char16_t unit) {
  if (unit < 0x80) return unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit;
  if (unit >= 0xD800 && unit <= 0xDFFF) return unit;
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  if (unicode == nullptr) return unit;
  const wint_t upper = towupper_l(unit, unicode);
  return upper <= 0xFFFF ? static_cast<char16_t>(upper) : unit;
}

std::u16string Utf16Units(const std::wstring& name) {
  std::u16string units;
  units.reserve(name.size());
  for (wchar_t w : name) {
    const auto c = static_cast<char32_t>(w);
    if (c >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      units += static_cast<char16_t>(c);
    }
  }
  return units;
}

std::u16string UpcasedKey(const std::wstring& name) {
  std::u16string key = Utf16Units(name);
  for (char16_t& unit : key) unit = UpcaseUnit(unit);
  return key;
}

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  UniqueFd& operator=(UniqueFd&&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

class PosixFile final : public ReadableFile {
 public:
  explicit PosixFile(UniqueFd fd) : fd_(std::move(fd)) {}
  std::uint64_t Size() override {
    struct stat info {};
    return ::fstat(fd_.get(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  }
  std::size_t Read(std::span<std::uint8_t> into) override {
    // A regular file reads short only at its end, so the caller's next read need not ask again.
    if (atEnd_) return 0;
    for (;;) {
      const ssize_t got = ::read(fd_.get(), into.data(), into.size());
      if (got >= 0) {
        atEnd_ = static_cast<std::size_t>(got) < into.size();
        return static_cast<std::size_t>(got);
      }
      if (errno != EINTR) return 0;
    }
  }

 private:
  UniqueFd fd_;
  bool atEnd_ = false;
};

}  // namespace

// The names are read and sorted when the listing is opened: the order needs all of them. While the
// listing lives, its directory is being walked, so it stays in the file system's set of open
// directories.
class PosixFileSystem::SortedListing final : public DirectoryListing {
 public:
  SortedListing(std::vector<std::wstring> names, std::set<DirectoryId>& open, DirectoryId id)
      : names_(std::move(names)), open_(open), id_(id) {}
  ~SortedListing() override { open_.erase(id_); }
  SortedListing(const SortedListing&) = delete;
  SortedListing& operator=(const SortedListing&) = delete;

  bool Next(std::wstring& name) override {
    if (next_ == names_.size()) return false;
    name = std::move(names_[next_++]);
    return true;
  }

 private:
  std::vector<std::wstring> names_;
  std::size_t next_ = 0;
  std::set<DirectoryId>& open_;
  DirectoryId id_;
};

namespace {

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

bool NtfsNameLess(const std::wstring& a, const std::wstring& b) {
  const std::u16string ka = UpcasedKey(a);
  const std::u16string kb = UpcasedKey(b);
  if (ka != kb) return ka < kb;
  // Linux allows names NTFS would call equal ("a" and "A"); order them by their own units.
  return Utf16Units(a) < Utf16Units(b);
}

PathKind PosixFileSystem::Kind(const std::wstring& path) {
  if (const auto listed = listedKinds_.find(path); listed != listedKinds_.end()) {
    const PathKind kind = listed->second;
    listedKinds_.erase(listed);
    return kind;
  }
  struct stat info {};
  if (::stat(WideToUtf8(path).c_str(), &info) != 0) return PathKind::Missing;
  return S_ISDIR(info.st_mode) ? PathKind::Directory : PathKind::File;
}

std::unique_ptr<DirectoryListing> PosixFileSystem::List(const std::wstring& directory) {
  const std::unique_ptr<DIR, DirCloser> dir(::opendir(WideToUtf8(directory).c_str()));
  if (!dir) return nullptr;
  // A directory reached again inside its own walk (through a symbolic link to an ancestor) would
  // be walked without end; it is treated as one that cannot be listed.
  struct stat info {};
  if (::fstat(::dirfd(dir.get()), &info) != 0) return nullptr;
  const DirectoryId id{info.st_dev, info.st_ino};
  if (!openDirectories_.insert(id).second) return nullptr;
  std::vector<std::pair<std::u16string, std::wstring>> entries;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::wstring name = Utf8ToWide(entry->d_name);
    const bool dots = name == L"." || name == L"..";
    if (!dots && (entry->d_type == DT_REG || entry->d_type == DT_DIR)) {
      listedKinds_[directory + L'/' + name] =
          entry->d_type == DT_DIR ? PathKind::Directory : PathKind::File;
    }
    entries.emplace_back(UpcasedKey(name), std::move(name));
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return Utf16Units(a.second) < Utf16Units(b.second);
  });
  std::vector<std::wstring> names;
  names.reserve(entries.size());
  for (auto& entry : entries) names.push_back(std::move(entry.second));
  return std::make_unique<SortedListing>(std::move(names), openDirectories_, id);
}

std::unique_ptr<ReadableFile> PosixFileSystem::Open(const std::wstring& path) {
  UniqueFd fd(::open(WideToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return nullptr;
  return std::make_unique<PosixFile>(std::move(fd));
}

}  // namespace zentrel::cli
