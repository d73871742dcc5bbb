#include "row_printer.h"

#include "text_utf8.h"

namespace zentrel::cli {

void RowPrinter::WriteRow(int, const ResultRow& row) {
  line_.clear();
  AppendUtf8(line_, row.path);
  line_ += '\t';
  AppendUtf8(line_, row.encoding);
  line_ += '\t';
  AppendUtf8(line_, row.lineEnding);
  line_ += '\n';
  std::fwrite(line_.data(), 1, line_.size(), out_);
}

void RowPrinter::ReportError(std::wstring_view path, InspectError error) {
  ++errors_;
  const char* what = error == InspectError::CannotOpen ? "cannot open file for reading"
                                                       : "file too large to examine";
  // Flushed first so that, on a shared terminal, the message appears after the rows before it.
  std::fflush(out_);
  std::fprintf(err_, "zentrel-cli: %s: %s\n", what, WideToUtf8(path).c_str());
}

}  // namespace zentrel::cli
