#include "run_command.h"

#include "check_command.h"
#include "convert_command.h"
#include "text_utf8.h"

namespace zentrel::cli {

namespace {
constexpr int kExitUsage = 2;
}  // namespace

int RunCommand(const Command& command, FileSystem& files, ConversionFiles& conversion,
               wchar_t separator, std::FILE* out, std::FILE* err) {
  switch (command.kind) {
    case CommandKind::Help:
      std::fputs(UsageText(), out);
      return 0;
    case CommandKind::Check:
      return RunCheck(command.check, files, separator, out, err);
    case CommandKind::Convert:
      return RunConvert(command.convert, files, conversion, separator, out, err);
    case CommandKind::UsageError:
      break;
  }
  std::fprintf(err, "zentrel-cli: %s\n\n%s", WideToUtf8(command.error).c_str(), UsageText());
  return kExitUsage;
}

}  // namespace zentrel::cli
