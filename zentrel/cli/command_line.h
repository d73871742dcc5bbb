#pragma once
// The command line of zentrel-cli:
//   zentrel-cli check [--readsize N] [--ignore TEXT]... [--regex] [--fullpath] [--select] PATH...
//   zentrel-cli --help
// Options take their value as the next argument or after "=" (--readsize=0); "--" ends the options.

#include <string>
#include <vector>

namespace zentrel::cli {

struct CheckOptions {
  int readSize = 1000;               // "readsize": bytes examined per file, 0 = the whole file
  std::vector<std::wstring> ignore;  // the ignore list, in the order given
  bool regex = false;                // "stringtype" 1: entries are regular expressions
  bool fullPath = false;             // "usefullpath" 1: entries are matched against the whole path
  bool select = false;               // "checktype" 1: inspect only the files that match
  std::vector<std::wstring> paths;
};

enum class CommandKind {
  Help,
  Check,
  Convert,  // reserved for the conversion command; not available yet
  UsageError,
};

struct Command {
  CommandKind kind = CommandKind::UsageError;
  CheckOptions check;
  std::wstring error;  // for UsageError: what was wrong
};

// args: the arguments after the program name.
Command ParseCommandLine(const std::vector<std::wstring>& args);

// The text --help prints (ASCII).
const char* UsageText();

}  // namespace zentrel::cli
