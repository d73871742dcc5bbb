#include "zentrel/core/name_filter.h"

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

const std::wregex* PatternCache::Compiled(const std::wstring& pattern) {
  auto found = patterns_.find(pattern);
  if (found == patterns_.end()) {
    std::optional<std::wregex> compiled;
    try {
      compiled.emplace(pattern, std::regex_constants::ECMAScript);
    } catch (const std::regex_error&) {
      // Remembered as broken, so it is not compiled again for the next file.
    }
    found = patterns_.emplace(pattern, std::move(compiled)).first;
  }
  return found->second ? &*found->second : nullptr;
}

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
