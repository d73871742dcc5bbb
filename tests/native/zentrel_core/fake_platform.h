#pragma once
// In-memory stand-ins for the engine's platform pieces: a file tree, settings, a guesser with fixed
// answers, and a sink that records what it was told, in order.

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zentrel/core/file_system.h"
#include "zentrel/core/guesser.h"
#include "zentrel/core/inspection_sink.h"
#include "zentrel/core/settings_reader.h"

namespace zentrel::testing {

struct FakeNode {
  PathKind kind = PathKind::File;
  std::vector<std::wstring> entries;  // directories: names in listing order, "." and ".." included
  std::string content;                // files
  std::optional<std::uint64_t> reportedSize;  // files: a size other than the content's
  bool openable = true;
  bool listable = true;
};

class FakeFileSystem final : public FileSystem {
 public:
  FakeNode& AddDirectory(const std::wstring& path, std::vector<std::wstring> names) {
    names.insert(names.begin(), {L".", L".."});
    return nodes_[path] = FakeNode{PathKind::Directory, std::move(names), {}, {}, true, true};
  }
  FakeNode& AddFile(const std::wstring& path, std::string content) {
    return nodes_[path] = FakeNode{PathKind::File, {}, std::move(content), {}, true, true};
  }

  PathKind Kind(const std::wstring& path) override {
    const auto it = nodes_.find(path);
    return it == nodes_.end() ? PathKind::Missing : it->second.kind;
  }
  std::unique_ptr<DirectoryListing> List(const std::wstring& directory) override;
  std::unique_ptr<ReadableFile> Open(const std::wstring& path) override;

 private:
  std::map<std::wstring, FakeNode> nodes_;
};

class FakeListing final : public DirectoryListing {
 public:
  explicit FakeListing(std::vector<std::wstring> names) : names_(std::move(names)) {}
  bool Next(std::wstring& name) override {
    if (next_ == names_.size()) return false;
    name = names_[next_++];
    return true;
  }

 private:
  std::vector<std::wstring> names_;
  std::size_t next_ = 0;
};

// Serves its content in reads of at most 7 bytes, so callers must loop.
class FakeFile final : public ReadableFile {
 public:
  FakeFile(std::string content, std::uint64_t size) : content_(std::move(content)), size_(size) {}
  std::uint64_t Size() override { return size_; }
  std::size_t Read(std::span<std::uint8_t> into) override {
    const std::size_t n = std::min({into.size(), content_.size() - offset_, std::size_t{7}});
    std::memcpy(into.data(), content_.data() + offset_, n);
    offset_ += n;
    return n;
  }

 private:
  std::string content_;
  std::uint64_t size_;
  std::size_t offset_ = 0;
};

inline std::unique_ptr<DirectoryListing> FakeFileSystem::List(const std::wstring& directory) {
  const auto it = nodes_.find(directory);
  if (it == nodes_.end() || it->second.kind != PathKind::Directory || !it->second.listable) {
    return nullptr;
  }
  return std::make_unique<FakeListing>(it->second.entries);
}

inline std::unique_ptr<ReadableFile> FakeFileSystem::Open(const std::wstring& path) {
  const auto it = nodes_.find(path);
  if (it == nodes_.end() || it->second.kind != PathKind::File || !it->second.openable) {
    return nullptr;
  }
  const FakeNode& node = it->second;
  return std::make_unique<FakeFile>(node.content, node.reportedSize.value_or(node.content.size()));
}

class FakeSettings final : public SettingsReader {
 public:
  std::map<std::wstring, int, std::less<>> ints;
  std::vector<std::wstring> ignore;
  int ignoreListReads = 0;

  int GetInt(std::wstring_view key, int fallback) override {
    const auto it = ints.find(key);
    return it == ints.end() ? fallback : it->second;
  }
  std::wstring GetString(std::wstring_view, std::wstring_view fallback) override {
    return std::wstring(fallback);
  }
  std::vector<std::wstring> ReadIgnoreList() override {
    ++ignoreListReads;
    return ignore;
  }
};

// Answers by the first byte of the input ('S' -> "Shift_JIS", 'U' -> "UTF-16", 'B' -> "BINARY",
// anything else "ASCII"), and remembers every input it was given.
class FakeGuesser final : public Guesser {
 public:
  bool canStream = true;
  std::vector<std::string> inputs;

  static std::wstring NameFor(const std::string& bytes) {
    if (bytes.empty()) return L"ASCII";
    switch (bytes[0]) {
      case 'S':
        return L"Shift_JIS";
      case 'U':
        return L"UTF-16";
      case 'B':
        return L"BINARY";
      default:
        return L"ASCII";
    }
  }
  std::wstring Guess(std::span<const std::uint8_t> bytes) override {
    inputs.emplace_back(bytes.begin(), bytes.end());
    return NameFor(inputs.back());
  }
  std::unique_ptr<GuessStream> BeginStream() override;
};

class FakeGuessStream final : public GuessStream {
 public:
  explicit FakeGuessStream(FakeGuesser& owner) : owner_(owner) {}
  void Feed(std::span<const std::uint8_t> bytes) override {
    fed_.append(bytes.begin(), bytes.end());
  }
  std::wstring Finish() override {
    owner_.inputs.push_back(fed_);
    return FakeGuesser::NameFor(fed_);
  }

 private:
  FakeGuesser& owner_;
  std::string fed_;
};

inline std::unique_ptr<GuessStream> FakeGuesser::BeginStream() {
  if (!canStream) return nullptr;
  return std::make_unique<FakeGuessStream>(*this);
}

// Records "status <text>", "row <index> <path>|<encoding>|<line ending>" and "error <path>" (or
// another name of the error: "not found <path>", ...).
class RecordingSink final : public InspectionSink {
 public:
  std::vector<std::wstring> events;

  void SetStatus(std::wstring_view text) override {
    events.push_back(L"status " + std::wstring(text));
  }
  void WriteRow(int rowIndex, const ResultRow& row) override {
    events.push_back(L"row " + std::to_wstring(rowIndex) + L" " + row.path + L"|" + row.encoding +
                     L"|" + row.lineEnding);
  }
  void ReportError(std::wstring_view path, InspectError error) override {
    static constexpr const wchar_t* kNames[] = {L"error ",     L"too large ",   L"not found ",
                                                L"no access ", L"too long ",    L"cannot list ",
                                                L"not regular ", L"refused "};
    events.push_back(kNames[static_cast<int>(error)] + std::wstring(path));
  }
  std::vector<std::wstring> Rows() const {
    std::vector<std::wstring> rows;
    for (const auto& e : events) {
      if (!e.starts_with(L"status ")) rows.push_back(e);
    }
    return rows;
  }
};

}  // namespace zentrel::testing
