// zentrel-cli on Windows: UTF-16 arguments and paths, "\" as the separator, UTF-8 output with LF
// line ends (byte-identical to the Linux tool's, so pipelines can compare them).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "conversion_files_win.h"
#include "zentrel/platform/file_system_win.h"
#include "nkf32/file_convert.h"
#include "run_command.h"

namespace {

// Ctrl+C, Ctrl+Break, closing the console: a conversion under way leaves its destination as it was
// and its temporary file goes too; then the process ends as it would have.
BOOL WINAPI StopConverting(DWORD) {
  nkf::RemoveConversionTemporaries();
  return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetConsoleCtrlHandler(StopConverting, TRUE);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  zentrel::Win32FileSystem files;
  zentrel::cli::Win32ConversionFiles conversion;
  return zentrel::cli::RunCommand(zentrel::cli::ParseCommandLine(args), files, conversion, L'\\',
                                  stdout, stderr);
}
