#include "job_progress.h"

#include <gtest/gtest.h>

#include <thread>

namespace zentrel {
namespace {

TEST(JobProgress, HandsOverEveryEventOnceInOrderWhileTheWorkerRuns) {
  constexpr int kRows = 20000;
  JobProgress progress;
  std::thread worker([&] {
    for (int row = 0; row < kRows; ++row) {
      progress.Started(row, L"file" + std::to_wstring(row));
      progress.Finished(row, row % 3 - 1);
    }
  });
  // The window's side takes batches while the worker adds to it.
  std::vector<JobEvent> seen;
  while (seen.size() < 2u * kRows) {
    for (JobEvent& event : progress.TakeAll()) seen.push_back(std::move(event));
    std::this_thread::yield();
  }
  worker.join();
  EXPECT_TRUE(progress.TakeAll().empty());
  for (int row = 0; row < kRows; ++row) {
    const JobEvent& started = seen[2 * static_cast<size_t>(row)];
    const JobEvent& finished = seen[2 * static_cast<size_t>(row) + 1];
    ASSERT_EQ(started.kind, JobEvent::Kind::Started);
    ASSERT_EQ(started.row, row);
    ASSERT_EQ(started.path, L"file" + std::to_wstring(row));
    ASSERT_EQ(finished.kind, JobEvent::Kind::Finished);
    ASSERT_EQ(finished.row, row);
    ASSERT_EQ(finished.outcome, row % 3 - 1);
  }
}

}  // namespace
}  // namespace zentrel
