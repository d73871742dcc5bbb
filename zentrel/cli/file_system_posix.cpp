#include "file_system_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <optional>
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

PathKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return PathKind::File;
  return S_ISDIR(mode) ? PathKind::Directory : PathKind::Other;
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
// listing lives its directory is being walked, so it stays on the file system's stack of listings.
class PosixFileSystem::SortedListing final : public DirectoryListing {
 public:
  struct Entry {
    std::wstring name;
    std::optional<PathKind> kind;  // from the directory entry, when it tells
  };

  SortedListing(PosixFileSystem& owner, std::wstring directory, DirectoryId id,
                std::vector<Entry> entries)
      : owner_(owner), directory_(std::move(directory)), id_(id), entries_(std::move(entries)) {
    owner_.walking_.push_back(this);
  }
  ~SortedListing() override {
    auto& walking = owner_.walking_;
    walking.erase(std::find(walking.begin(), walking.end(), this));
  }
  SortedListing(const SortedListing&) = delete;
  SortedListing& operator=(const SortedListing&) = delete;

  bool Next(std::wstring& name) override {
    if (next_ == entries_.size()) return false;
    name = entries_[next_++].name;
    return true;
  }

  const DirectoryId& id() const { return id_; }

  // The kind of the entry Next returned last, when `path` is that entry's path.
  std::optional<PathKind> KindOfLastEntry(const std::wstring& path) const {
    if (next_ == 0) return std::nullopt;
    const Entry& last = entries_[next_ - 1];
    const std::size_t d = directory_.size();
    const bool same = path.size() == d + 1 + last.name.size() && path[d] == L'/' &&
                      path.compare(0, d, directory_) == 0 &&
                      path.compare(d + 1, last.name.size(), last.name) == 0;
    return same ? last.kind : std::nullopt;
  }

 private:
  PosixFileSystem& owner_;
  std::wstring directory_;
  DirectoryId id_;
  std::vector<Entry> entries_;
  std::size_t next_ = 0;
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
  // The walk asks about each entry right after the listing returned it; the entry already told.
  if (!walking_.empty()) {
    if (const std::optional<PathKind> kind = walking_.back()->KindOfLastEntry(path)) return *kind;
  }
  struct stat info {};
  if (::stat(WideToUtf8(path).c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return PathKind::Missing;
    return errno == ENAMETOOLONG ? PathKind::NameTooLong : PathKind::NoAccess;
  }
  return KindOfMode(info.st_mode);
}

std::unique_ptr<DirectoryListing> PosixFileSystem::List(const std::wstring& directory) {
  const std::unique_ptr<DIR, DirCloser> dir(::opendir(WideToUtf8(directory).c_str()));
  if (!dir) return nullptr;
  // A directory reached again inside its own walk (through a symbolic link to an ancestor) would
  // be walked without end; it lists nothing, as its entries are being walked already.
  struct stat info {};
  if (::fstat(::dirfd(dir.get()), &info) != 0) return nullptr;
  const DirectoryId id{info.st_dev, info.st_ino};
  for (const SortedListing* open : walking_) {
    if (open->id() == id) {
      return std::make_unique<SortedListing>(*this, directory, id, std::vector<SortedListing::Entry>{});
    }
  }
  std::vector<std::pair<std::u16string, SortedListing::Entry>> keyed;
  while (const dirent* entry = ::readdir(dir.get())) {
    SortedListing::Entry e{Utf8ToWide(entry->d_name), std::nullopt};
    // Symbolic links and unknown types are left to stat, which follows links.
    if (entry->d_type == DT_REG) e.kind = PathKind::File;
    if (entry->d_type == DT_DIR) e.kind = PathKind::Directory;
    if (entry->d_type == DT_FIFO || entry->d_type == DT_CHR || entry->d_type == DT_BLK ||
        entry->d_type == DT_SOCK)
      e.kind = PathKind::Other;
    std::u16string key = UpcasedKey(e.name);
    keyed.emplace_back(std::move(key), std::move(e));
  }
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return Utf16Units(a.second.name) < Utf16Units(b.second.name);
  });
  std::vector<SortedListing::Entry> entries;
  entries.reserve(keyed.size());
  for (auto& k : keyed) entries.push_back(std::move(k.second));
  return std::make_unique<SortedListing>(*this, directory, id, std::move(entries));
}

std::unique_ptr<ReadableFile> PosixFileSystem::Open(const std::wstring& path) {
  // Without blocking: a pipe put in the file's place since Kind must not hold the walk.
  UniqueFd fd(::open(WideToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return nullptr;
  struct stat info {};
  // O_NONBLOCK stays: it changes nothing in reads of a regular file.
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
  return std::make_unique<PosixFile>(std::move(fd));
}

}  // namespace zentrel::cli
