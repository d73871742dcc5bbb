#pragma once
// The option text handed to nkf32 for one file: the CP932 hint for Shift_JIS sources, then the
// output encoding letters, then the line-ending letters.

#include <string>
#include <string_view>

namespace zentrel {

struct ConverterChoices {
  int encodingChoice = -1;  // 0 Shift-JIS, 1 EUC-JP, 2 UTF-8, 3 UTF-16LE, 4 UTF-16BE, 5 ISO-2022-JP; -1 none
  int eolChoice = -1;       // 0 CR LF, 1 CR, 2 LF; -1 none (line endings kept)
  bool cp932 = true;        // read a source guessed "Shift_JIS" as CP932
  bool bom8 = false;        // UTF-8 output with a byte-order mark
  bool bom16 = true;        // UTF-16 output with a byte-order mark
};

// inspectedEncoding is the row's encoding text; only the exact text "Shift_JIS" earns the hint.
// Examples: "--ic=CP932 -w80Lu", "-w80Lu", "-Lm", "-".
std::string BuildConverterOptions(std::wstring_view inspectedEncoding, const ConverterChoices& choices);

}  // namespace zentrel
