#include "job_progress.h"

#include <utility>

namespace zentrel {

void JobProgress::Started(int row, std::wstring path) {
  std::lock_guard lock(mutex_);
  events_.push_back({JobEvent::Kind::Started, row, std::move(path)});
}

void JobProgress::Finished(int row, int outcome) {
  std::lock_guard lock(mutex_);
  events_.push_back({JobEvent::Kind::Finished, row, {}, outcome});
}

std::vector<JobEvent> JobProgress::TakeAll() {
  std::vector<JobEvent> taken;
  std::lock_guard lock(mutex_);
  taken.swap(events_);
  return taken;
}

}  // namespace zentrel
