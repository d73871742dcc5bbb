#include "row_printer.h"

#include "text_utf8.h"

namespace zentrel::cli {

void RowPrinter::WriteRow(int, const ResultRow& row) {
  line_.clear();
  if (nulFields_) {
    for (const std::wstring* field : {&row.path, &row.encoding, &row.lineEnding}) {
      AppendUtf8(line_, *field);
      line_ += '\0';
    }
  } else {
    AppendEscapedUtf8(line_, row.path, separator_);
    line_ += '\t';
    AppendUtf8(line_, row.encoding);
    line_ += '\t';
    AppendUtf8(line_, row.lineEnding);
    line_ += '\n';
  }
  std::fwrite(line_.data(), 1, line_.size(), out_);
}

const char* InspectErrorText(InspectError error) {
  switch (error) {
    case InspectError::CannotOpen: return "cannot open file for reading";
    case InspectError::TooLarge: return "file too large to examine";
    case InspectError::NotFound: return "no such file or folder";
    case InspectError::NoAccess: return "cannot look at it (permission denied)";
    case InspectError::NameTooLong: return "name too long";
    case InspectError::CannotList: return "cannot list folder";
    case InspectError::NotRegular: return "not a regular file, skipped";
    case InspectError::RefusedEntry:
      return "ignore entry not used (a back-reference cannot be matched in bounded time)";
  }
  return "cannot inspect";
}

void RowPrinter::ReportError(std::wstring_view path, InspectError error) {
  ++errors_;
  const char* what = InspectErrorText(error);
  // Flushed first so that, on a shared terminal, the message appears after the rows before it.
  std::fflush(out_);
  // An ignore entry is shown as typed (its backslashes are its own), a path as in the rows.
  const wchar_t separator = error == InspectError::RefusedEntry ? L'\\' : separator_;
  std::fprintf(err_, "zentrel-cli: %s: %s\n", what, EscapedUtf8(path, separator).c_str());
}

}  // namespace zentrel::cli
