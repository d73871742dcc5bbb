#include "zentrel/convert/job_progress.h"

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

TEST(QueuedInspectionSink, RowsAndStatusTextsWaitInTheQueueAndErrorsAreReportedAtOnce) {
  JobProgress progress;
  std::vector<std::wstring> reported;
  QueuedInspectionSink sink(progress, [&](std::wstring_view path, InspectError error) {
    reported.push_back(std::wstring(path) + (error == InspectError::CannotOpen ? L" open" : L" large"));
  });
  sink.SetStatus(L"Check: a.txt");
  sink.WriteRow(3, {L"C:\\a.txt", L"UTF-8", L"LF"});
  sink.ReportError(L"C:\\b.txt", InspectError::CannotOpen);
  EXPECT_EQ(reported, std::vector<std::wstring>{L"C:\\b.txt open"});

  const std::vector<JobEvent> events = progress.TakeAll();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].kind, JobEvent::Kind::Status);
  EXPECT_EQ(events[0].path, L"Check: a.txt");
  EXPECT_EQ(events[1].kind, JobEvent::Kind::Rechecked);
  EXPECT_EQ(events[1].row, 3);
  EXPECT_EQ(events[1].result.path, L"C:\\a.txt");
  EXPECT_EQ(events[1].result.encoding, L"UTF-8");
  EXPECT_EQ(events[1].result.lineEnding, L"LF");
}

}  // namespace
}  // namespace zentrel
