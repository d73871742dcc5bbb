#pragma once
// Where the inspection engine reports: the result list and window title in the GUI, standard output
// and standard error in the command-line tool.

#include <cstdint>
#include <string>
#include <string_view>

namespace zentrel {

struct ResultRow {
  std::wstring path;        // exactly as inspected
  std::wstring encoding;    // the guess, or "BINARY" when the NUL rule replaced it
  std::wstring lineEnding;  // one of the texts of LineEndingText
};

enum class InspectError : std::uint8_t {
  CannotOpen,   // the file could not be opened for reading
  TooLarge,     // the examined length cannot be held in memory and the guesser cannot stream
  NotFound,     // a path given (or met in a walk) does not exist, or is a link to nothing
  NoAccess,     // a path whose attributes cannot be read
  NameTooLong,  // a path longer than the file system allows
  CannotList,   // a folder whose entries cannot be read
  NotRegular,   // not a regular file (pipe, device, socket): skipped, never read
  // Not about a path: the "path" is an ignore-list entry (as its pattern) that cannot be searched
  // in bounded time; it is taken as not found. Told once per walk.
  RefusedEntry,
};

class InspectionSink {
 public:
  virtual ~InspectionSink() = default;
  // "Check: " and the folder path or file name being worked on.
  virtual void SetStatus(std::wstring_view text) = 0;
  // rowIndex < 0 appends a row; rowIndex >= 0 rewrites that row's three cells in place.
  virtual void WriteRow(int rowIndex, const ResultRow& row) = 0;
  // The path was not inspected (a folder: not walked); no row was written. The walk goes on after
  // this returns.
  virtual void ReportError(std::wstring_view path, InspectError error) = 0;
};

}  // namespace zentrel
