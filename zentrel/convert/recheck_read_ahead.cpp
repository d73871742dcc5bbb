#include "recheck_read_ahead.h"

#include <windows.h>

#include <set>
#include <system_error>

#include "zentrel/platform/file_system_win.h"

namespace zentrel {
namespace {

// The same file for a case-insensitive file system: names compared in upper case.
std::wstring FileKey(const std::wstring& path) {
  std::wstring key = path;
  if (!key.empty()) {
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, path.c_str(), static_cast<int>(path.size()),
                  key.data(), static_cast<int>(key.size()), nullptr, nullptr, 0);
  }
  return key;
}

// For each row: whether a later row names the same file.
std::vector<bool> NamedAgainLater(const std::vector<std::wstring>& paths) {
  std::vector<bool> again(paths.size());
  std::set<std::wstring> later;
  for (std::size_t row = paths.size(); row-- > 0;) again[row] = !later.insert(FileKey(paths[row])).second;
  return again;
}

}  // namespace

void RecheckReadAhead::Start(std::vector<std::wstring> paths, int readSize) {
  std::lock_guard lock(mutex_);
  if (stopping_) return;  // the pass has ended already: nothing to read ahead of
  paths_ = std::move(paths);
  readSize_ = readSize;
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    // No thread to spare: the re-check reads every file itself.
  }
}

void RecheckReadAhead::Converted(int rows) {
  bool wake = false;
  {
    std::lock_guard lock(mutex_);
    converted_ = rows;
    wake = converted_ >= wakeAt_;
  }
  if (wake) changed_.notify_one();
}

void RecheckReadAhead::Finish(ReadAheadFileSystem& files) {
  Stop();
  for (auto& [path, read] : reads_) files.Add(std::move(path), std::move(read));
  reads_.clear();
}

void RecheckReadAhead::Stop() {
  std::thread running;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    running = std::move(thread_);
  }
  changed_.notify_one();
  if (running.joinable()) running.join();
}

void RecheckReadAhead::Run() {
  // Reading ahead only saves time: whatever goes wrong here leaves the rest to the pass.
  try {
    const std::vector<bool> namedAgain = NamedAgainLater(paths_);
    Win32FileSystem disk;
    std::uint64_t budget = kBudgetBytes;
    for (std::size_t row = 0; row < paths_.size(); ++row) {
      {
        std::unique_lock lock(mutex_);
        if (static_cast<std::size_t>(converted_) <= row) {
          // Woken once per batch of files rather than once per file: a wake-up is a round trip
          // through the Wine server, a tenth of what reading a file ahead saves.
          wakeAt_ = static_cast<int>(row) + kRowsPerWake;
          changed_.wait(lock, [&] { return stopping_ || converted_ >= wakeAt_; });
        }
        if (stopping_) return;
      }
      if (namedAgain[row]) continue;
      std::optional<ReadAheadFile> read = ReadAhead(disk, paths_[row], readSize_, budget);
      if (!read) continue;
      budget -= read->bytes.size();
      reads_.emplace_back(paths_[row], std::move(*read));
    }
  } catch (...) {
  }
}

}  // namespace zentrel
