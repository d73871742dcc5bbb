#pragma once
// The re-check's reads, made while the conversion pass goes on: a thread of its own reads each file
// as soon as its conversion has ended (while the next file converts), so the re-check pass inspects
// from memory instead of opening every file again. A file that a later row names too is left to the
// pass, since that row's conversion may still change it; so is whatever exceeds the memory budget.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "zentrel/core/read_ahead.h"

namespace zentrel {

class RecheckReadAhead {
 public:
  RecheckReadAhead() = default;
  RecheckReadAhead(const RecheckReadAhead&) = delete;
  RecheckReadAhead& operator=(const RecheckReadAhead&) = delete;
  ~RecheckReadAhead() { Stop(); }

  // Begins reading; `paths` holds every row's path in row order. Rows reported converted before
  // this call are read first; after Finish it does nothing.
  void Start(std::vector<std::wstring> paths, int readSize);
  // Rows [0, rows) have been handled by the conversion pass: their files may be read.
  void Converted(int rows);
  // Ends the reading after the file at hand and hands every read to `files`.
  void Finish(ReadAheadFileSystem& files);

 private:
  static constexpr std::uint64_t kBudgetBytes = std::uint64_t{64} << 20;
  static constexpr int kRowsPerWake = 16;

  void Run();
  void Stop();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::wstring> paths_;
  int readSize_ = 0;
  int converted_ = 0;
  int wakeAt_ = 0;  // the reading thread waits until converted_ reaches this
  bool stopping_ = false;
  std::vector<std::pair<std::wstring, ReadAheadFile>> reads_;
  std::thread thread_;
};

}  // namespace zentrel
