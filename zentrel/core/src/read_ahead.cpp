#include "zentrel/core/read_ahead.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "zentrel/core/inspection_engine.h"

namespace zentrel {
namespace {

class BytesFile final : public ReadableFile {
 public:
  BytesFile(std::uint64_t size, std::vector<std::uint8_t> bytes) : size_(size), bytes_(std::move(bytes)) {}
  std::uint64_t Size() override { return size_; }
  std::size_t Read(std::span<std::uint8_t> into) override {
    const std::size_t n = std::min(into.size(), bytes_.size() - offset_);
    if (n > 0) std::memcpy(into.data(), bytes_.data() + offset_, n);
    offset_ += n;
    return n;
  }

 private:
  std::uint64_t size_;
  std::vector<std::uint8_t> bytes_;
  std::size_t offset_ = 0;
};

}  // namespace

std::optional<ReadAheadFile> ReadAhead(FileSystem& files, const std::wstring& path, int readSize,
                                       std::uint64_t budget) {
  ReadAheadFile read;
  read.kind = files.Kind(path);
  if (read.kind != PathKind::File) return read;
  const std::unique_ptr<ReadableFile> file = files.Open(path);
  if (!file) return read;
  read.opened = true;
  read.size = file->Size();
  const std::uint64_t examined = ExaminedLength(read.size, readSize);
  if (examined > budget) return std::nullopt;
  read.bytes.resize(static_cast<std::size_t>(examined));
  std::size_t done = 0;
  while (done < read.bytes.size()) {
    const std::size_t got = file->Read(std::span(read.bytes).subspan(done));
    if (got == 0) break;
    done += got;
  }
  read.bytes.resize(done);
  return read;
}

PathKind ReadAheadFileSystem::Kind(const std::wstring& path) {
  const auto it = files_.find(path);
  return it == files_.end() ? disk_.Kind(path) : it->second.kind;
}

std::unique_ptr<ReadableFile> ReadAheadFileSystem::Open(const std::wstring& path) {
  const auto it = files_.find(path);
  if (it == files_.end()) return disk_.Open(path);
  ReadAheadFile read = std::move(it->second);
  files_.erase(it);
  if (!read.opened) return nullptr;
  return std::make_unique<BytesFile>(read.size, std::move(read.bytes));
}

}  // namespace zentrel
