#include "command_line.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <initializer_list>

namespace zentrel::cli {

namespace {

bool ParseInt(const std::wstring& text, int& value) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  errno = 0;
  const long long parsed = std::wcstoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != L'\0' || parsed < INT_MIN || parsed > INT_MAX) return false;
  value = static_cast<int>(parsed);
  return true;
}

// A byte count: a whole number, 0 or more ("-1" once passed for "the whole file").
bool ParseCount(const std::wstring& text, int& value) {
  int parsed = 0;
  if (!ParseInt(text, parsed) || parsed < 0) return false;
  value = parsed;
  return true;
}

Command Usage(std::wstring error) {
  Command command;
  command.kind = CommandKind::UsageError;
  command.error = std::move(error);
  return command;
}

// The position of `value` in `names`, or -1.
int IndexOf(const std::wstring& value, std::initializer_list<const wchar_t*> names) {
  int index = 0;
  for (const wchar_t* name : names) {
    if (value == name) return index;
    ++index;
  }
  return -1;
}

bool TakesValue(CommandKind verb, const std::wstring& name) {
  if (name == L"--ignore" || name == L"--readsize") return true;
  if (verb == CommandKind::Check) return false;
  return name == L"--to" || name == L"--eol" || name == L"--out";
}

// The name filter, shared by both commands. False when `name` is not one of its options.
bool ApplyFilterOption(const std::wstring& name, const std::wstring& value, CheckOptions& walk) {
  if (name == L"--ignore") {
    walk.ignore.push_back(value);
  } else if (name == L"--regex") {
    walk.regex = true;
  } else if (name == L"--fullpath") {
    walk.fullPath = true;
  } else if (name == L"--select") {
    walk.select = true;
  } else if (name == L"--null") {
    walk.nulFields = true;
  } else {
    return false;
  }
  return true;
}

// Empty when the option was understood, otherwise what was wrong.
std::wstring ApplyConvertOption(const std::wstring& name, const std::wstring& value,
                                ConvertOptions& options) {
  if (name == L"--to") {
    options.encodingChoice =
        IndexOf(value, {L"sjis", L"eucjp", L"utf8", L"utf16le", L"utf16be", L"jis"});
    if (options.encodingChoice < 0)
      return L"--to takes sjis, eucjp, utf8, utf16le, utf16be or jis, not " + value;
  } else if (name == L"--eol") {
    options.eolChoice = IndexOf(value, {L"crlf", L"cr", L"lf"});
    if (options.eolChoice < 0) return L"--eol takes crlf, cr or lf, not " + value;
  } else if (name == L"--bom" || name == L"--no-bom") {
    const bool bom = name == L"--bom";
    if (options.bom && *options.bom != bom) return L"--bom and --no-bom exclude each other";
    options.bom = bom;
  } else if (name == L"--out") {
    if (value.empty()) return L"--out needs a folder";
    options.outputFolder = value;
  } else if (name == L"--dry-run") {
    options.dryRun = true;
  } else if (name == L"--readsize") {
    if (!ParseCount(value, options.walk.readSize))
      return L"--readsize needs a whole number, 0 or more: " + value;
  } else if (!ApplyFilterOption(name, value, options.walk)) {
    return L"unknown option " + name;
  }
  return {};
}

std::wstring ApplyCheckOption(const std::wstring& name, const std::wstring& value,
                              CheckOptions& options) {
  if (name == L"--readsize") {
    if (!ParseCount(value, options.readSize))
      return L"--readsize needs a whole number, 0 or more: " + value;
  } else if (!ApplyFilterOption(name, value, options)) {
    return L"unknown option " + name;
  }
  return {};
}

// What a conversion cannot run without, once every option has been read.
std::wstring CheckConvertChoices(const ConvertOptions& options) {
  if (options.encodingChoice < 0 && options.eolChoice < 0)
    return L"convert needs --to, --eol or both";
  // A byte-order mark only exists in the Unicode targets; silently ignoring it would hide a typo.
  if (options.bom && (options.encodingChoice < 2 || options.encodingChoice > 4))
    return L"--bom and --no-bom need --to utf8, utf16le or utf16be";
  return {};
}

Command ParseVerb(CommandKind verb, const std::vector<std::wstring>& args, std::size_t i) {
  Command command;
  command.kind = verb;
  // Convert guesses whole files by default: a guess over the first bytes alone could call a file
  // ASCII whose later lines are Shift_JIS, and it would then miss the CP932 hint.
  command.convert.walk.readSize = 0;
  CheckOptions& walk = verb == CommandKind::Check ? command.check : command.convert.walk;
  bool optionsEnded = false;
  for (; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != L'-' || arg == L"-") {
      walk.paths.push_back(arg);
      continue;
    }
    if (arg == L"--") {
      optionsEnded = true;
      continue;
    }
    std::wstring name = arg;
    std::wstring value;
    bool hasValue = false;
    if (const std::size_t equals = arg.find(L'='); arg.starts_with(L"--") && equals != arg.npos) {
      name = arg.substr(0, equals);
      value = arg.substr(equals + 1);
      hasValue = true;
    }
    const bool takesValue = TakesValue(verb, name);
    if (takesValue && !hasValue) {
      if (i + 1 >= args.size()) return Usage(name + L" needs a value");
      value = args[++i];
    } else if (!takesValue && hasValue) {
      return Usage(name + L" takes no value");
    }
    if (name == L"--help" || name == L"-h") {
      command.kind = CommandKind::Help;
      return command;
    }
    std::wstring error = verb == CommandKind::Check
                             ? ApplyCheckOption(name, value, command.check)
                             : ApplyConvertOption(name, value, command.convert);
    if (!error.empty()) return Usage(std::move(error));
  }
  if (verb == CommandKind::Convert) {
    if (std::wstring error = CheckConvertChoices(command.convert); !error.empty())
      return Usage(std::move(error));
  }
  if (walk.paths.empty())
    return Usage(verb == CommandKind::Check ? L"check needs at least one path"
                                            : L"convert needs at least one path");
  return command;
}

}  // namespace

Command ParseCommandLine(const std::vector<std::wstring>& args) {
  if (args.empty()) return Usage(L"no command given");
  const std::wstring& verb = args[0];
  if (verb == L"--help" || verb == L"-h" || verb == L"help") {
    Command command;
    command.kind = CommandKind::Help;
    return command;
  }
  if (verb == L"check") return ParseVerb(CommandKind::Check, args, 1);
  if (verb == L"convert") return ParseVerb(CommandKind::Convert, args, 1);
  return Usage(L"unknown command " + verb);
}

const char* UsageText() {
  return "Usage:\n"
         "  zentrel-cli check [--readsize N] [--ignore TEXT]... [--regex] [--fullpath] [--select]\n"
         "                    [--null] PATH...\n"
         "  zentrel-cli convert [--to ENC] [--eol EOL] [--bom|--no-bom] [--out DIR] [--dry-run]\n"
         "                      [--readsize N] [--ignore TEXT]... [--regex] [--fullpath] [--select]\n"
         "                      [--null] PATH...\n"
         "  zentrel-cli --help\n"
         "\n"
         "check walks each PATH (folders depth-first, in listing order) and prints one line per\n"
         "inspected file: path TAB encoding TAB line ending (UTF-8). In a path, TAB, LF, CR and\n"
         "other control characters are written \\t, \\n, \\r and \\xHH, a byte that is not UTF-8\n"
         "\\xHH, and on Linux a backslash \\\\. Only regular files are read: a pipe, device or\n"
         "socket is named on standard error and skipped, as is every path that cannot be found,\n"
         "looked at or listed.\n"
         "\n"
         "  --readsize N   bytes examined from the start of each file (default 1000, 0 = whole "
         "file)\n"
         "  --ignore TEXT  an ignore-list entry (repeatable): an end string such as .bak, or with\n"
         "                 --regex a regular expression (ECMAScript)\n"
         "  --regex        entries are regular expressions instead of end strings\n"
         "  --fullpath     entries are matched against the whole path instead of the file name\n"
         "  --select       inspect only the files that match an entry (default: skip them)\n"
         "  --null         print each field as it is, ended by a NUL byte, instead of lines\n"
         "\n"
         "\n"
         "convert walks each PATH like check, guesses every file over its whole length and\n"
         "converts it in place, or into --out DIR with its sub-folders below PATH kept. It prints\n"
         "one line per file: path TAB success, ERROR or skip (binary and read-only files), with\n"
         "the reason for each ERROR on standard error. A file is replaced only by a complete\n"
         "conversion, never left half written; it keeps its owner and permissions. A symbolic\n"
         "link stays a link and the file it points to is converted; a file with several hard\n"
         "links is skipped (replacing it would part it from its other names). Into --out DIR,\n"
         "a target that is one of the files being converted, or another file's output, is an\n"
         "ERROR and is not written.\n"
         "\n"
         "  --to ENC       sjis, eucjp, utf8, utf16le, utf16be or jis (default: keep the "
         "encoding)\n"
         "  --eol EOL      crlf, cr or lf (default: keep the line ends); --to, --eol or both\n"
         "  --bom          write a byte-order mark (default: none for utf8, one for utf16)\n"
         "  --no-bom       write none\n"
         "  --out DIR      write the converted files into DIR instead of replacing them\n"
         "  --dry-run      write nothing; report the files that would fail, and why\n"
         "  --readsize N   bytes guessed per file before converting (default 0: the whole file;\n"
         "                 the converter always reads the whole file)\n"
         "\n"
         "Exit status: 0 every file done, 1 some file could not be read or converted, 2 usage\n"
         "error.\n";
}

}  // namespace zentrel::cli
