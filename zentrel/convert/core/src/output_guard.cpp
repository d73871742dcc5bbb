#include "zentrel/convert/output_guard.h"

#include <algorithm>
#include <utility>

namespace zentrel {

OutputGuard::OutputGuard(std::vector<std::wstring> sources, FileIdentity& ids)
    : sources_(std::move(sources)), ids_(ids) {}

void OutputGuard::Arm() {
  if (armed_) return;
  armed_ = true;
  sourceIds_.reserve(sources_.size());
  for (const std::wstring& source : sources_) sourceIds_.push_back(ids_.IdOf(source));
  for (const auto& [path, source] : writtenPaths_) {
    if (const std::optional<FileId> id = ids_.IdOf(path)) writtenIds_.emplace_back(*id, source);
  }
  writtenPaths_.clear();
}

bool OutputGuard::SameSource(std::size_t a, std::size_t b) const {
  return a == b || (sourceIds_[a] && sourceIds_[a] == sourceIds_[b]);
}

std::optional<OutputClash> OutputGuard::Check(std::size_t source, const std::wstring& target) {
  for (const auto& [planned, writer] : plannedPaths_) {
    if (planned != target) continue;
    Arm();
    if (!SameSource(writer, source)) return OutputClash{OutputClash::Kind::Target, writer};
  }
  const std::optional<FileId> id = ids_.IdOf(target);
  if (!id) return std::nullopt;  // nothing there to lose
  Arm();
  // An earlier target first: a file both listed and written over is named for the conversion
  // that wrote it.
  for (const auto& [written, writer] : writtenIds_) {
    if (written == *id && !SameSource(writer, source))
      return OutputClash{OutputClash::Kind::Target, writer};
  }
  for (std::size_t other = 0; other < sourceIds_.size(); ++other) {
    if (sourceIds_[other] == id && !SameSource(other, source))
      return OutputClash{OutputClash::Kind::Source, other};
  }
  return std::nullopt;
}

void OutputGuard::Written(std::size_t source, const std::wstring& target) {
  if (!armed_) {
    writtenPaths_.emplace_back(target, source);
    return;
  }
  if (const std::optional<FileId> id = ids_.IdOf(target)) writtenIds_.emplace_back(*id, source);
}

void OutputGuard::Planned(std::size_t source, const std::wstring& target) {
  plannedPaths_.emplace_back(target, source);
}

}  // namespace zentrel
