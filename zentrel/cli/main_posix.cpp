// zentrel-cli on Linux: arguments and file names are UTF-8 bytes, the separator is "/".
#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "conversion_files_posix.h"
#include "nkf32/file_convert.h"
#include "file_system_posix.h"
#include "run_command.h"
#include "text_utf8.h"

namespace {

// A conversion stopped by a signal leaves its destination as it was; its temporary file (as large
// as the converted file) goes too. Then the signal takes its ordinary course.
void StopConverting(int signal) {
  nkf::RemoveConversionTemporaries();
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

int main(int argc, char** argv) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction action {};
    action.sa_handler = StopConverting;
    ::sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
  }
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.push_back(zentrel::cli::Utf8ToWide(argv[i]));
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  zentrel::cli::PosixFileSystem files;
  zentrel::cli::PosixConversionFiles conversion;
  return zentrel::cli::RunCommand(zentrel::cli::ParseCommandLine(args), files, conversion, L'/',
                                  stdout, stderr);
}
