#pragma once
// The command-line tool's sink: each row as one UTF-8 line "path TAB encoding TAB line ending" on
// standard output (the path escaped, see AppendEscapedUtf8), or with nulFields each field as it is
// and ended by a NUL byte; each path not inspected as a message on standard error. The status is
// not shown.

#include <cstdio>
#include <string>

#include "zentrel/core/inspection_sink.h"

namespace zentrel::cli {

// What the tool prints for a path the engine could not inspect ("no such file or folder", ...).
const char* InspectErrorText(InspectError error);

class RowPrinter final : public InspectionSink {
 public:
  RowPrinter(std::FILE* out, std::FILE* err, wchar_t separator, bool nulFields)
      : out_(out), err_(err), separator_(separator), nulFields_(nulFields) {}

  void SetStatus(std::wstring_view) override {}
  void WriteRow(int rowIndex, const ResultRow& row) override;
  void ReportError(std::wstring_view path, InspectError error) override;

  int errorCount() const { return errors_; }

 private:
  std::FILE* out_;
  std::FILE* err_;
  wchar_t separator_;
  bool nulFields_;
  std::string line_;
  int errors_ = 0;
};

}  // namespace zentrel::cli
