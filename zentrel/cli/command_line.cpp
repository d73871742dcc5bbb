#include "command_line.h"

#include <cerrno>
#include <climits>
#include <cwchar>

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

Command Usage(std::wstring error) {
  Command command;
  command.kind = CommandKind::UsageError;
  command.error = std::move(error);
  return command;
}

Command ParseCheck(const std::vector<std::wstring>& args, std::size_t i) {
  Command command;
  command.kind = CommandKind::Check;
  CheckOptions& options = command.check;
  bool optionsEnded = false;
  for (; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != L'-' || arg == L"-") {
      options.paths.push_back(arg);
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
    const bool takesValue = name == L"--readsize" || name == L"--ignore";
    if (takesValue && !hasValue) {
      if (i + 1 >= args.size()) return Usage(name + L" needs a value");
      value = args[++i];
    } else if (!takesValue && hasValue) {
      return Usage(name + L" takes no value");
    }
    if (name == L"--help" || name == L"-h") {
      command.kind = CommandKind::Help;
      return command;
    } else if (name == L"--readsize") {
      if (!ParseInt(value, options.readSize))
        return Usage(L"--readsize needs a whole number: " + value);
    } else if (name == L"--ignore") {
      options.ignore.push_back(value);
    } else if (name == L"--regex") {
      options.regex = true;
    } else if (name == L"--fullpath") {
      options.fullPath = true;
    } else if (name == L"--select") {
      options.select = true;
    } else {
      return Usage(L"unknown option " + name);
    }
  }
  if (options.paths.empty()) return Usage(L"check needs at least one path");
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
  if (verb == L"check") return ParseCheck(args, 1);
  if (verb == L"convert") {
    Command command;
    command.kind = CommandKind::Convert;
    return command;
  }
  return Usage(L"unknown command " + verb);
}

const char* UsageText() {
  return "Usage:\n"
         "  zentrel-cli check [--readsize N] [--ignore TEXT]... [--regex] [--fullpath] [--select]"
         " PATH...\n"
         "  zentrel-cli --help\n"
         "\n"
         "check walks each PATH (folders depth-first, in listing order) and prints one line per\n"
         "inspected file: path TAB encoding TAB line ending (UTF-8).\n"
         "\n"
         "  --readsize N   bytes examined from the start of each file (default 1000, 0 = whole "
         "file)\n"
         "  --ignore TEXT  an ignore-list entry (repeatable): an end string such as .bak, or with\n"
         "                 --regex a regular expression (ECMAScript)\n"
         "  --regex        entries are regular expressions instead of end strings\n"
         "  --fullpath     entries are matched against the whole path instead of the file name\n"
         "  --select       inspect only the files that match an entry (default: skip them)\n"
         "\n"
         "Exit status: 0 all files inspected, 1 some file could not be read, 2 usage error.\n";
}

}  // namespace zentrel::cli
