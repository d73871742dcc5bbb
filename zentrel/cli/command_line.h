#pragma once
// The command line of zentrel-cli:
//   zentrel-cli check [--readsize N] [--ignore TEXT]... [--regex] [--fullpath] [--select] [--null]
//                     PATH...
//   zentrel-cli convert [--to ENC] [--eol EOL] [--bom|--no-bom] [--out DIR] [--dry-run]
//                       [--readsize N] [--ignore TEXT]... [--regex] [--fullpath] [--select]
//                       [--null] PATH...
//   zentrel-cli --help
// Options take their value as the next argument or after "=" (--readsize=0); "--" ends the options.

#include <optional>
#include <string>
#include <vector>

namespace zentrel::cli {

struct CheckOptions {
  int readSize = 1000;               // "readsize": bytes examined per file, 0 = the whole file
  std::vector<std::wstring> ignore;  // the ignore list, in the order given
  bool regex = false;                // "stringtype" 1: entries are regular expressions
  bool fullPath = false;             // "usefullpath" 1: entries are matched against the whole path
  bool select = false;               // "checktype" 1: inspect only the files that match
  bool nulFields = false;            // --null: raw fields ended by NUL instead of escaped lines
  std::vector<std::wstring> paths;
};

// The choices of a conversion, numbered as the main window's drop-downs (-1: nothing chosen).
struct ConvertOptions {
  // The paths, the name filter and the length guessed before converting (default 0: whole files).
  CheckOptions walk;
  int encodingChoice = -1;  // 0 sjis, 1 eucjp, 2 utf8, 3 utf16le, 4 utf16be, 5 jis
  int eolChoice = -1;       // 0 crlf, 1 cr, 2 lf
  // --bom / --no-bom; absent: the settings' fallbacks (none in UTF-8, one in UTF-16).
  std::optional<bool> bom;
  std::wstring outputFolder;  // empty: in place
  bool dryRun = false;
};

enum class CommandKind {
  Help,
  Check,
  Convert,
  UsageError,
};

struct Command {
  CommandKind kind = CommandKind::UsageError;
  CheckOptions check;
  ConvertOptions convert;
  std::wstring error;  // for UsageError: what was wrong
};

// args: the arguments after the program name.
Command ParseCommandLine(const std::vector<std::wstring>& args);

// The text --help prints (ASCII).
const char* UsageText();

}  // namespace zentrel::cli
