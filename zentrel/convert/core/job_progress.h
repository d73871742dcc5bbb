#pragma once
// What the conversion worker has done so far, handed over to the window's thread in batches: the
// worker never waits for a window to update, and the windows update (and paint) once per batch
// instead of once per file.

#include <mutex>
#include <string>
#include <vector>

namespace zentrel {

struct JobEvent {
  enum class Kind { Started, Finished };
  Kind kind;
  int row;
  std::wstring path;  // Started only
  int outcome = 0;    // Finished only
};

class JobProgress {
 public:
  void Started(int row, std::wstring path);
  void Finished(int row, int outcome);
  // Every event since the last call, oldest first.
  std::vector<JobEvent> TakeAll();

 private:
  std::mutex mutex_;
  std::vector<JobEvent> events_;
};

}  // namespace zentrel
