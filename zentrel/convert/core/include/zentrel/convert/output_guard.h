#pragma once
// Keeps a conversion into an output folder from writing over anything it was asked to read: a
// listed source (the output folder may lie inside a walked tree, or a target may be a source of
// another dropped item), or the output of an earlier source with the same relative part (two
// files named same.txt from different folders).
//
// Only a target that already exists can be written over, so nothing is asked of the file system
// until one does; from then on every listed source and every target written is known by identity,
// which sees through different spellings of one path (case, "\\" doubled, links).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrel {

struct FileId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileId&) const = default;
};

class FileIdentity {
 public:
  virtual ~FileIdentity() = default;
  // Nothing when `path` names no file (or it cannot be looked at).
  virtual std::optional<FileId> IdOf(const std::wstring& path) = 0;
};

struct OutputClash {
  enum class Kind : std::uint8_t {
    Source,  // the target is the listed source `other`
    Target,  // the target was written for the listed source `other`
  };
  Kind kind;
  std::size_t other;  // index into the listed sources
};

class OutputGuard {
 public:
  // sources: every file of the job in job order; the guard keeps a copy.
  OutputGuard(std::vector<std::wstring> sources, FileIdentity& ids);

  // Before sources[source] is converted into `target`: what it would write over, if anything.
  // Converting a file onto itself, or the same file listed twice onto one target, is no clash.
  std::optional<OutputClash> Check(std::size_t source, const std::wstring& target);
  // After sources[source] was converted into `target`.
  void Written(std::size_t source, const std::wstring& target);
  // The same for a dry run, which writes nothing: `target` is known by its path, so a later target
  // spelt the same is refused as the real run would refuse it.
  void Planned(std::size_t source, const std::wstring& target);

 private:
  void Arm();
  bool SameSource(std::size_t a, std::size_t b) const;

  std::vector<std::wstring> sources_;
  FileIdentity& ids_;
  bool armed_ = false;
  std::vector<std::optional<FileId>> sourceIds_;                 // once armed
  std::vector<std::pair<FileId, std::size_t>> writtenIds_;       // once armed
  std::vector<std::pair<std::wstring, std::size_t>> writtenPaths_;  // until armed
  std::vector<std::pair<std::wstring, std::size_t>> plannedPaths_;
};

}  // namespace zentrel
