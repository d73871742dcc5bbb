// zentrel-cli on Linux: arguments and file names are UTF-8 bytes, the separator is "/".
#include <cstdio>
#include <string>
#include <vector>

#include "conversion_files_posix.h"
#include "file_system_posix.h"
#include "run_command.h"
#include "text_utf8.h"

int main(int argc, char** argv) {
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.push_back(zentrel::cli::Utf8ToWide(argv[i]));
  static char outputBuffer[1 << 16];
  std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  zentrel::cli::PosixFileSystem files;
  zentrel::cli::PosixConversionFiles conversion;
  return zentrel::cli::RunCommand(zentrel::cli::ParseCommandLine(args), files, conversion, L'/',
                                  stdout, stderr);
}
