#pragma once
// The inspection engine: walks a path, filters names, inspects each file and reports every result
// through a sink. The GUI and the command-line tool each supply the platform pieces.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "zentrel/core/file_system.h"
#include "zentrel/core/guesser.h"
#include "zentrel/core/inspection_sink.h"
#include "zentrel/core/name_filter.h"
#include "zentrel/core/settings_reader.h"

namespace zentrel {

struct EngineOptions {
  // Joins a folder path and an entry name: exactly one is appended, whatever the folder path ends
  // with, so a root "C:\" yields "C:\\name".
  wchar_t separator = L'\\';
  // Examined lengths above this are not read into one buffer: they are guessed and scanned in
  // chunks of chunkSize when the guesser can stream, and otherwise reported as too large (as is a
  // buffer that cannot be allocated). The default keeps whole-file reads of ordinary files working
  // for a guesser that only takes one buffer; a streaming guesser can afford a far lower limit.
  std::uint64_t wholeBufferLimit = std::uint64_t{1} << 30;
  std::size_t chunkSize = std::size_t{1} << 20;
};

// The number of bytes examined from the start of a file: "readsize" when it is positive and smaller
// than the file, otherwise the whole file (0 means the whole file; a negative value never limits).
std::uint64_t ExaminedLength(std::uint64_t fileSize, int readSize);

class InspectionEngine {
 public:
  InspectionEngine(FileSystem& files, SettingsReader& settings, Guesser& guesser,
                   InspectionSink& sink, EngineOptions options = {});

  // Walks a dropped path (or re-checks the path of a row): a folder depth-first in listing order, a
  // file through the name filter. rowIndex is handed unchanged to every inspected file. A path that
  // cannot be reached, a folder that cannot be listed and a file that is not a regular one (after
  // the filter) are reported; conversions' temporary files are not listed.
  void InspectPath(const std::wstring& path, int rowIndex);

  // Inspects one file that passed the filter and writes its row (or reports why it could not).
  void InspectFile(const std::wstring& path, int rowIndex);

 private:
  void Walk(const std::wstring& path, int rowIndex, PatternCache& patterns);
  void ConsiderFile(const std::wstring& path, PathKind kind, int rowIndex,
                    const std::vector<std::wstring>& entries, int checkType, bool regexMode,
                    PatternCache& patterns);
  void InspectInChunks(const std::wstring& path, int rowIndex, ReadableFile& file,
                       std::uint64_t examined);

  FileSystem& files_;
  SettingsReader& settings_;
  Guesser& guesser_;
  InspectionSink& sink_;
  EngineOptions options_;
  std::vector<std::uint8_t> buffer_;  // reused across files: most are examined in 1000 bytes
  std::set<std::wstring> toldRefused_;  // ignore-list patterns already reported as refused
  // Compiled once per engine, not per path: a re-check inspects every row on its own.
  PatternCache patterns_;
};

}  // namespace zentrel
