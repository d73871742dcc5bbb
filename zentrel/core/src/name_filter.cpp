#include "zentrel/core/name_filter.h"

#include <utility>

namespace zentrel {

std::wstring_view FileNameOf(std::wstring_view path, wchar_t separator) {
  const std::size_t last = path.rfind(separator);
  return last == std::wstring_view::npos ? path : path.substr(last + 1);
}

std::wstring EntryPattern(std::wstring_view entry, bool regexMode) {
  std::wstring pattern(entry);
  if (!regexMode) pattern += L'$';
  return pattern;
}

namespace {

// A search in time proportional to the name's length times the pattern's: the library's matcher
// without backtracking, so an entry such as (a+)+$ cannot take time doubling with every character
// of a long name. It takes no back-reference, which only backtracking can match.
constexpr std::regex_constants::syntax_option_type kBoundedSearch =
#if defined(__GLIBCXX__)
    std::regex_constants::__polynomial;
#else
#error "the name filter needs a regular-expression matcher without backtracking"
#endif

}  // namespace

const std::wregex* PatternCache::Compiled(const std::wstring& pattern) {
  auto found = patterns_.find(pattern);
  if (found == patterns_.end()) {
    std::optional<std::wregex> compiled;
    try {
      compiled.emplace(pattern, std::regex_constants::ECMAScript | kBoundedSearch);
    } catch (const std::regex_error& error) {
      // Remembered as broken, so it is not compiled again for the next file. One that compiles
      // but cannot be searched in bounded time is also told to the user.
      if (error.code() == std::regex_constants::error_complexity) refused_.push_back(pattern);
    }
    found = patterns_.emplace(pattern, std::move(compiled)).first;
  }
  return found->second ? &*found->second : nullptr;
}

std::vector<std::wstring> PatternCache::TakeRefused() { return std::exchange(refused_, {}); }

int CountMatches(const std::vector<std::wstring>& entries, bool regexMode,
                 std::wstring_view comparedName, PatternCache& cache) {
  int count = 0;
  for (const std::wstring& entry : entries) {
    const std::wregex* pattern = cache.Compiled(EntryPattern(entry, regexMode));
    if (pattern != nullptr &&
        std::regex_search(comparedName.begin(), comparedName.end(), *pattern)) {
      ++count;
    }
  }
  return count;
}

}  // namespace zentrel
