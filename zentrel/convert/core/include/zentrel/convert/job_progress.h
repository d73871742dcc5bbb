#pragma once
// What the conversion worker has done so far, handed over to the window's thread in batches: the
// worker never waits for a window to update, and the windows update (and paint) once per batch
// instead of once per file.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "zentrel/core/inspection_sink.h"

namespace zentrel {

struct JobEvent {
  enum class Kind {
    Started,     // row, path: the file of a status row is being converted
    Finished,    // row, outcome: its conversion ended
    Rechecking,  // path: the file being inspected again
    Status,      // path: the inspection's status text
    Rechecked,   // row, result: the result row as inspected again
    PassEnded,   // row: the conversion pass handled the rows before this one; the re-check begins
    JobEnded,    // the re-check is over
  };
  Kind kind;
  int row = -1;
  std::wstring path;
  int outcome = 0;
  ResultRow result;
};

class JobProgress {
 public:
  void Started(int row, std::wstring path) {
    Add({.kind = JobEvent::Kind::Started, .row = row, .path = std::move(path)});
  }
  void Finished(int row, int outcome) {
    Add({.kind = JobEvent::Kind::Finished, .row = row, .outcome = outcome});
  }
  void Rechecking(std::wstring path) { Add({.kind = JobEvent::Kind::Rechecking, .path = std::move(path)}); }
  void Status(std::wstring text) { Add({.kind = JobEvent::Kind::Status, .path = std::move(text)}); }
  void Rechecked(int row, ResultRow result) {
    Add({.kind = JobEvent::Kind::Rechecked, .row = row, .result = std::move(result)});
  }
  void PassEnded(int handledRows) { Add({.kind = JobEvent::Kind::PassEnded, .row = handledRows}); }
  void JobEnded() { Add({.kind = JobEvent::Kind::JobEnded}); }
  // Every event since the last call, oldest first.
  std::vector<JobEvent> TakeAll();

 private:
  void Add(JobEvent event);

  std::mutex mutex_;
  std::vector<JobEvent> events_;
};

// The inspection engine's sink for the re-check: rows and status texts go through a JobProgress;
// a file that cannot be inspected goes to `reportError` at once (it may ask the user).
class QueuedInspectionSink final : public InspectionSink {
 public:
  using ErrorReporter = std::function<void(std::wstring_view path, InspectError error)>;
  QueuedInspectionSink(JobProgress& progress, ErrorReporter reportError)
      : progress_(progress), reportError_(std::move(reportError)) {}

  void SetStatus(std::wstring_view text) override { progress_.Status(std::wstring(text)); }
  void WriteRow(int rowIndex, const ResultRow& row) override { progress_.Rechecked(rowIndex, row); }
  void ReportError(std::wstring_view path, InspectError error) override { reportError_(path, error); }

 private:
  JobProgress& progress_;
  ErrorReporter reportError_;
};

}  // namespace zentrel
