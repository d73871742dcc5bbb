// zentrel-cli's argument parsing, its UTF-8 text and the NTFS listing order of its Linux adapter.
#include "command_line.h"

#include <gtest/gtest.h>

#include "file_system_posix.h"
#include "text_utf8.h"

namespace zentrel::cli {
namespace {

Command Parse(std::vector<std::wstring> args) { return ParseCommandLine(args); }

TEST(CommandLine, CheckTakesDefaultsAndEveryOption) {
  const Command plain = Parse({L"check", L"dir"});
  ASSERT_EQ(plain.kind, CommandKind::Check);
  EXPECT_EQ(plain.check.readSize, 1000);
  EXPECT_FALSE(plain.check.regex || plain.check.fullPath || plain.check.select);
  EXPECT_EQ(plain.check.paths, std::vector<std::wstring>{L"dir"});

  const Command all =
      Parse({L"check", L"--readsize", L"0", L"--ignore", L".bak", L"a", L"--ignore=^x", L"--regex",
             L"--fullpath", L"--select", L"b", L"--", L"--odd-name"});
  ASSERT_EQ(all.kind, CommandKind::Check);
  EXPECT_EQ(all.check.readSize, 0);
  EXPECT_EQ(all.check.ignore, (std::vector<std::wstring>{L".bak", L"^x"}));
  EXPECT_TRUE(all.check.regex && all.check.fullPath && all.check.select);
  EXPECT_EQ(all.check.paths, (std::vector<std::wstring>{L"a", L"b", L"--odd-name"}));

  EXPECT_EQ(Parse({L"check", L"--ignore", L"", L"x"}).check.ignore, std::vector<std::wstring>{L""});
}

TEST(CommandLine, MistakesAreUsageErrors) {
  const std::vector<std::vector<std::wstring>> wrong = {
      {},
      {L"frobnicate"},
      {L"check"},
      {L"check", L"--bogus", L"x"},
      {L"check", L"x", L"--readsize"},
      {L"check", L"--readsize", L"12k", L"x"},
      {L"check", L"--readsize", L"99999999999", L"x"},
      {L"check", L"--regex=1", L"x"},
      {L"check", L"--readsize=-1", L"x"},  // once "the whole file" by accident
      {L"convert", L"--eol", L"lf", L"--readsize", L"-5", L"x"},
  };
  for (const auto& args : wrong) {
    const Command c = Parse(args);
    EXPECT_EQ(c.kind, CommandKind::UsageError) << (args.empty() ? "" : WideToUtf8(args.back()));
    EXPECT_FALSE(c.error.empty());
  }
}

TEST(CommandLine, HelpAndTheConvertCommand) {
  EXPECT_EQ(Parse({L"--help"}).kind, CommandKind::Help);
  EXPECT_EQ(Parse({L"check", L"x", L"--help"}).kind, CommandKind::Help);
  EXPECT_EQ(Parse({L"convert", L"--to", L"utf8", L"x"}).kind, CommandKind::Convert);
}

TEST(TextUtf8, RoundTripsTextAndUndecodableBytes) {
  const std::string japanese = "\xE6\xB7\xB7\xE5\x9C\xA8";  // the word for mixed
  EXPECT_EQ(Utf8ToWide(japanese), L"\u6DF7\u5728");
  EXPECT_EQ(WideToUtf8(L"\u6DF7\u5728"), japanese);
  EXPECT_EQ(WideToUtf8(Utf8ToWide("a\xF0\x9F\x98\x80z")), "a\xF0\x9F\x98\x80z");
  // Shift_JIS and truncated sequences in a Linux file name survive the trip to wide text and back.
  for (std::string name : {"\x82\xA0.txt", "x\xE6\xB7", "\xC0\xAF", "\xED\xA0\x80"}) {
    EXPECT_EQ(WideToUtf8(Utf8ToWide(name)), name);
  }
}

TEST(NtfsNameOrder, ComparesUpperCasedUtf16Units) {
  EXPECT_TRUE(NtfsNameLess(L"B", L"_a"));  // 'B' (0x42) < '_' (0x5F) < 'a' only once upper-cased
  EXPECT_TRUE(NtfsNameLess(L"a", L"B"));
  EXPECT_TRUE(NtfsNameLess(L"A", L"a"));  // equal for NTFS; a fixed order for Linux
  EXPECT_FALSE(NtfsNameLess(L"a", L"A"));
  EXPECT_TRUE(NtfsNameLess(L"\U0001F600", L"\uFF21"));     // a surrogate pair sorts below U+FF21
  EXPECT_TRUE(NtfsNameLess(L"\u00E9z", L"\u00C9\u00FF"));  // e-acute upper-cases to E-acute
}

}  // namespace
}  // namespace zentrel::cli
