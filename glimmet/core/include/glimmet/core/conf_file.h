#pragma once
// Conf.txt: one "key = value" line per setting. Reading matches keys without regard to case after
// trimming blanks; writing produces the 36 lines in their fixed order with their exact literals.
// The text here is already decoded: the caller turns the file's ANSI bytes into wide text and back.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "glimmet/core/app_settings.h"

namespace glimmet {

// One key of the file: the literal written before its value (spacing and capitals as stored),
// the key it is read back under, and the field it fills.
struct ConfKey {
  std::wstring_view written;  // "disp Top = "
  std::wstring_view read;     // "disp top"
  std::variant<int StoredSettings::*, std::wstring StoredSettings::*> field;
};

// The 36 keys in the order they are written.
std::span<const ConfKey> ConfKeys();

// Applies one line to `settings`. A line without exactly one "=", with an unknown key, or whose
// number lies outside the 32-bit range, or a check box state other than 0 or 1, changes nothing.
// Numbers take the decimal number the value begins with (sign, digits, fraction), rounded halves to
// even; a value that does not begin with a number gives 0. Text fields keep the trimmed value.
void ApplyConfLine(std::wstring_view line, StoredSettings& settings);

// Applies every line of a whole file (lines end in CR LF, LF or CR); later lines override earlier.
void ApplyConfText(std::wstring_view text, StoredSettings& settings);

// The number a text begins with after blanks (sign, digits, fraction), rounded halves to even; 0
// when it begins with no number; nothing when the number does not fit 32 bits. The settings form
// reads its number boxes the same way.
std::optional<int> LeadingInteger(std::wstring_view text);

// The file's text: every key with its literal and value, each line ending in CR LF.
std::wstring ConfText(const StoredSettings& settings);

}  // namespace glimmet
