#pragma once
// The name filter: which files of a walk are inspected, decided by the ignore list.
//
// Each entry becomes a pattern (in end-string mode the entry with "$" appended, deliberately not
// escaped, so "." still matches any character), compiled as a case-sensitive ECMAScript regular
// expression and searched anywhere in the compared name (the file name, or the whole path). An
// entry that does not compile (for example "*.txt") is simply not found. The search never
// backtracks, so it takes bounded time whatever the entry; an entry that needs backtracking (a
// back-reference such as (a)\1) is refused: not found, and named by TakeRefused.

#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zentrel {

// The text after the last separator of the path; the whole path when it holds none.
std::wstring_view FileNameOf(std::wstring_view path, wchar_t separator);

// "stringtype" 0 (end strings): the entry with "$" appended; otherwise the entry unchanged.
std::wstring EntryPattern(std::wstring_view entry, bool regexMode);

// Compiled patterns by their text, so a walk compiles each distinct pattern once, not once per
// file. Owned by one walk: the ignore list cannot change while a walk runs.
class PatternCache {
 public:
  // nullptr when the pattern does not compile (or is refused).
  const std::wregex* Compiled(const std::wstring& pattern);
  // The patterns refused since the last call, each once: they could not be searched in bounded
  // time.
  std::vector<std::wstring> TakeRefused();

 private:
  std::unordered_map<std::wstring, std::optional<std::wregex>> patterns_;
  std::vector<std::wstring> refused_;
};

// The number of entries found in the compared name. Every entry is tried (no early stop).
int CountMatches(const std::vector<std::wstring>& entries, bool regexMode,
                 std::wstring_view comparedName, PatternCache& cache);

// "checktype" 0 excludes matching files; any other value inspects only matching files.
constexpr bool ShouldInspect(int checkType, int matchCount) {
  return checkType == 0 ? matchCount == 0 : matchCount >= 1;
}

}  // namespace zentrel
