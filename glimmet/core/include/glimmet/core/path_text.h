#pragma once
// Path texts as the settings write them: possibly quoted, possibly relative to the program folder.

#include <string>
#include <string_view>

namespace glimmet {

// Trims blanks and removes one pair of enclosing double quotes, repeatedly, until the text is no
// longer enclosed in quotes.
std::wstring UnquotePath(std::wstring_view path);

// Resolves `path` against `base` (a folder; `baseIsFolder` says whether it exists as one, in which
// case a backslash is added). "..\" anywhere canonicalises base + path; ".\" and other relative
// paths are appended to base; "\\server" and "X:\" paths stay. A path opened by a quote without a
// closing one comes back unchanged. A result holding a blank is enclosed in double quotes.
std::wstring ResolvePath(std::wstring_view path, std::wstring_view base, bool baseIsFolder);

// Removes "." and ".." segments, as the shell's canonicaliser does ("C:\a\..\b" -> "C:\b"); ".."
// never climbs above the root.
std::wstring CanonicalPath(std::wstring_view path);

}  // namespace glimmet
