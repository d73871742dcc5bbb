#include "zentrel/convert/job_progress.h"

#include <utility>

namespace zentrel {

void JobProgress::Add(JobEvent event) {
  std::lock_guard lock(mutex_);
  events_.push_back(std::move(event));
}

std::vector<JobEvent> JobProgress::TakeAll() {
  std::vector<JobEvent> taken;
  std::lock_guard lock(mutex_);
  taken.swap(events_);
  return taken;
}

}  // namespace zentrel
