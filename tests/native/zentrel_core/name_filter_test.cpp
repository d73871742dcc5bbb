// The name filter against the edge cases of the ignore list: end strings, regular expressions, the
// compared name, selecting, empty and broken entries.
#include "zentrel/core/name_filter.h"

#include <gtest/gtest.h>

namespace zentrel {
namespace {

int Count(std::vector<std::wstring> entries, bool regexMode, std::wstring_view name) {
  PatternCache cache;
  return CountMatches(entries, regexMode, name, cache);
}

TEST(FileNameOf, TakesTheTextAfterTheLastSeparatorOnly) {
  EXPECT_EQ(FileNameOf(L"C:\\dir\\a.txt", L'\\'), L"a.txt");
  EXPECT_EQ(FileNameOf(L"C:\\dir/a.txt", L'\\'), L"dir/a.txt");  // "/" does not separate here
  EXPECT_EQ(FileNameOf(L"plain", L'\\'), L"plain");
  EXPECT_EQ(FileNameOf(L"/home/u/b.txt", L'/'), L"b.txt");
  EXPECT_EQ(FileNameOf(L"C:\\dir\\", L'\\'), L"");
}

TEST(NameFilter, EndStringIsAnUnescapedCaseSensitivePatternAnchoredAtTheEnd) {
  EXPECT_EQ(Count({L".txt"}, false, L"a.txt"), 1);
  EXPECT_EQ(Count({L".txt"}, false, L"a.TXT"), 0);
  EXPECT_EQ(Count({L".txt"}, false, L"notes_txt"), 1);  // "." matches the underscore
  EXPECT_EQ(Count({L".txt"}, false, L"a.txt.bak"), 0);
}

TEST(NameFilter, EmptyEntryMatchesEveryNameInBothModes) {
  EXPECT_EQ(Count({L""}, false, L"a.txt"), 1);
  EXPECT_EQ(Count({L""}, true, L"a.txt"), 1);
  EXPECT_EQ(Count({L""}, true, L""), 1);
  EXPECT_FALSE(ShouldInspect(0, Count({L""}, false, L"anything")));
}

TEST(NameFilter, RegexSearchesAnywhereUnlessAnchored) {
  EXPECT_EQ(Count({L"tx"}, true, L"a.txt.bak"), 1);
  EXPECT_EQ(Count({L"^C"}, true, L"C:\\dir\\a.txt"), 1);  // the whole path is compared
  EXPECT_EQ(Count({L"^C"}, true, L"a.txt"), 0);           // only the file name is compared
  EXPECT_EQ(Count({L"\\.(txt|md)$"}, true, L"readme.md"), 1);
}

TEST(NameFilter, EveryEntryCountsAndBrokenEntriesAreNotFound) {
  EXPECT_EQ(Count({L".txt", L"a", L"xt", L"zzz", L"t$"}, false, L"a.txt"), 3);  // "a$" fails
  // "*.txt" does not compile in either mode ("*.txt$" as an end string); it is simply not found,
  // and the entries after it still count.
  EXPECT_EQ(Count({L"*.txt", L".txt"}, false, L"a.txt"), 1);
  EXPECT_EQ(Count({L"*.txt", L"(unclosed"}, true, L"a.txt"), 0);
}

TEST(NameFilter, CacheGivesTheSameAnswerForRepeatedAndBrokenPatterns) {
  PatternCache cache;
  const std::vector<std::wstring> entries = {L"[", L".log", L".log"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(CountMatches(entries, false, L"x.log", cache), 2);
    EXPECT_EQ(CountMatches(entries, false, L"x.txt", cache), 0);
  }
  EXPECT_EQ(cache.Compiled(L"["), nullptr);
  EXPECT_EQ(cache.Compiled(L".log$"), cache.Compiled(L".log$"));
}

TEST(NameFilter, SearchesTakeBoundedTimeAndBackReferencesAreRefused) {
  // Each would backtrack for ever on a long name that almost matches (2^300 ways to split it).
  const std::wstring longName = std::wstring(300, L'a') + L"!";
  const std::pair<const wchar_t*, const wchar_t*> entries[] = {
      {L"(a+)+$", L"xaaa"}, {L"(a|aa)+$", L"aa"}, {L"(a*)*b", L"aaab"}, {L"^(a|a?)+$", L"aaa"}};
  for (const auto& [entry, matching] : entries) {
    EXPECT_EQ(Count({entry}, true, longName), 0) << entry;
    EXPECT_EQ(Count({entry}, true, matching), 1) << entry;
  }
  PatternCache cache;
  EXPECT_EQ(CountMatches({L"(a)\\1", L"(x)\\1", L"a"}, true, L"aa", cache), 1);
  EXPECT_EQ(cache.TakeRefused(), (std::vector<std::wstring>{L"(a)\\1", L"(x)\\1"}));
  EXPECT_EQ(CountMatches({L"(a)\\1"}, true, L"aa", cache), 0);
  EXPECT_TRUE(cache.TakeRefused().empty()) << "each refused once";
}

TEST(NameFilter, ExcludingAndSelectingDecisions) {
  EXPECT_TRUE(ShouldInspect(0, 0));
  EXPECT_FALSE(ShouldInspect(0, 1));
  EXPECT_FALSE(ShouldInspect(1, 0));  // selecting with an empty list inspects nothing
  EXPECT_TRUE(ShouldInspect(1, 2));
  EXPECT_TRUE(ShouldInspect(-3, 1));  // any non-zero check type selects
  EXPECT_EQ(EntryPattern(L"a.b", false), L"a.b$");
  EXPECT_EQ(EntryPattern(L"a.b", true), L"a.b");
}

}  // namespace
}  // namespace zentrel
