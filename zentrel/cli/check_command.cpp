#include "check_command.h"

#include "option_settings.h"
#include "row_printer.h"
#include "text_utf8.h"
#include "zentrel/core/inspection_engine.h"
#include "zentrel/core/nkf_core_guesser.h"

namespace zentrel::cli {

namespace {
constexpr int kExitUnreadable = 1;
}  // namespace

int RunCheck(const CheckOptions& options, FileSystem& files, wchar_t separator, std::FILE* out,
             std::FILE* err) {
  OptionSettings settings(options);
  NkfCoreGuesser guesser;
  RowPrinter printer(out, err, separator, options.nulFields);
  EngineOptions engineOptions;
  engineOptions.separator = separator;
  // The core guesser streams: files over 64 MiB are examined in chunks, in bounded memory.
  engineOptions.wholeBufferLimit = std::uint64_t{64} << 20;
  InspectionEngine engine(files, settings, guesser, printer, engineOptions);
  for (const std::wstring& path : options.paths) engine.InspectPath(path, -1);
  std::fflush(out);
  return printer.errorCount() == 0 ? 0 : kExitUnreadable;
}

}  // namespace zentrel::cli
