#include "check_command.h"

#include "option_settings.h"
#include "row_printer.h"
#include "text_utf8.h"
#include "zentrel/core/inspection_engine.h"
#include "zentrel/core/nkf_core_guesser.h"

namespace zentrel::cli {

namespace {
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;
}  // namespace

int RunCheck(const CheckOptions& options, FileSystem& files, wchar_t separator, std::FILE* out,
             std::FILE* err) {
  OptionSettings settings(options);
  NkfCoreGuesser guesser;
  RowPrinter printer(out, err);
  EngineOptions engineOptions;
  engineOptions.separator = separator;
  // The core guesser streams: files over 64 MiB are examined in chunks, in bounded memory.
  engineOptions.wholeBufferLimit = std::uint64_t{64} << 20;
  InspectionEngine engine(files, settings, guesser, printer, engineOptions);
  for (const std::wstring& path : options.paths) engine.InspectPath(path, -1);
  std::fflush(out);
  return printer.errorCount() == 0 ? 0 : kExitUnreadable;
}

int RunCommand(const Command& command, FileSystem& files, wchar_t separator, std::FILE* out,
               std::FILE* err) {
  switch (command.kind) {
    case CommandKind::Help:
      std::fputs(UsageText(), out);
      return 0;
    case CommandKind::Check:
      return RunCheck(command.check, files, separator, out, err);
    case CommandKind::Convert:
      std::fputs("zentrel-cli: the convert command is not available yet\n", err);
      return kExitUsage;
    case CommandKind::UsageError:
      break;
  }
  std::fprintf(err, "zentrel-cli: %s\n\n%s", WideToUtf8(command.error).c_str(), UsageText());
  return kExitUsage;
}

}  // namespace zentrel::cli
