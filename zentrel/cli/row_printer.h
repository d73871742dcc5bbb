#pragma once
// The command-line tool's sink: each row as one UTF-8 line "path TAB encoding TAB line ending" on
// standard output, each unreadable file as a message on standard error. The status is not shown.

#include <cstdio>
#include <string>

#include "zentrel/core/inspection_sink.h"

namespace zentrel::cli {

class RowPrinter final : public InspectionSink {
 public:
  RowPrinter(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

  void SetStatus(std::wstring_view) override {}
  void WriteRow(int rowIndex, const ResultRow& row) override;
  void ReportError(std::wstring_view path, InspectError error) override;

  int errorCount() const { return errors_; }

 private:
  std::FILE* out_;
  std::FILE* err_;
  std::string line_;
  int errors_ = 0;
};

}  // namespace zentrel::cli
