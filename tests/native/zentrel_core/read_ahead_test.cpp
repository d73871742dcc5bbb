// What a re-check takes ahead of its pass: reads of each file, and a copy of the walk's settings.
// Inspecting through them must tell exactly what inspecting the disk would have told when they
// were taken.
#include "zentrel/core/read_ahead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "fake_platform.h"
#include "zentrel/core/inspection_engine.h"
#include "zentrel/core/settings_snapshot.h"

namespace zentrel {
namespace {

using testing::FakeFileSystem;
using testing::FakeGuesser;
using testing::FakeSettings;
using testing::RecordingSink;

struct Inspected {
  std::vector<std::wstring> events;
  std::vector<std::string> guessed;
};

Inspected Inspect(FileSystem& files, SettingsReader& settings, const std::wstring& path) {
  FakeGuesser guesser;
  RecordingSink sink;
  InspectionEngine(files, settings, guesser, sink).InspectPath(path, 3);
  return {sink.events, guesser.inputs};
}

TEST(ReadAheadTest, InspectingTheReadsTellsWhatTheDiskToldThen) {
  struct Case {
    const char* name;
    std::optional<int> readSize;
    std::string content;
    std::optional<std::uint64_t> reportedSize = {};
    bool openable = true;
  };
  const Case cases[] = {
      {"head of a longer file", std::nullopt, "S" + std::string(2500, 'x') + "\r\n"},
      {"whole file", 0, "Sa\r\nb\nc\r"},
      {"a few bytes", 7, "Sa\r\nb\r\nc\r\n"},
      {"empty file", std::nullopt, ""},
      {"shrunk since measured", 0, "Sa\r\n", 5000},
      {"cannot be opened", std::nullopt, "S", std::nullopt, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem disk;
    FakeSettings settings;
    if (c.readSize) settings.ints[L"readsize"] = *c.readSize;
    auto& file = disk.AddFile(L"D:\\f", c.content);
    file.reportedSize = c.reportedSize;
    file.openable = c.openable;
    const Inspected then = Inspect(disk, settings, L"D:\\f");

    std::optional<ReadAheadFile> read = ReadAhead(disk, L"D:\\f", settings.Get(setting::kReadSize), 1 << 20);
    ASSERT_TRUE(read);
    disk.AddFile(L"D:\\f", "B changed on disk since");
    ReadAheadFileSystem ahead(disk);
    ahead.Add(L"D:\\f", std::move(*read));
    const Inspected later = Inspect(ahead, settings, L"D:\\f");
    EXPECT_EQ(later.events, then.events);
    EXPECT_EQ(later.guessed, then.guessed);
    // Handed out once: a second inspection reads the disk as it is now.
    EXPECT_EQ(Inspect(ahead, settings, L"D:\\f").guessed, Inspect(disk, settings, L"D:\\f").guessed);
  }
}

TEST(ReadAheadTest, WhatIsNotARegularFileOrOverTheBudgetIsLeftToTheDisk) {
  FakeFileSystem disk;
  disk.AddDirectory(L"D:\\d", {L"a"});
  disk.AddFile(L"D:\\d\\a", "Sa\n");
  disk.AddFile(L"D:\\big", std::string(1000, 'x'));
  EXPECT_EQ(ReadAhead(disk, L"D:\\d", 1000, 1 << 20)->kind, PathKind::Directory);
  EXPECT_EQ(ReadAhead(disk, L"D:\\gone", 1000, 1 << 20)->kind, PathKind::Missing);
  EXPECT_FALSE(ReadAhead(disk, L"D:\\big", 1000, 999));
  EXPECT_TRUE(ReadAhead(disk, L"D:\\big", 1000, 1000));
}

// Records every key asked, to show that the copy holds every setting the walk reads.
class KeyRecordingSettings final : public SettingsReader {
 public:
  std::vector<std::wstring> keys;
  int GetInt(std::wstring_view key, int fallback) override {
    keys.emplace_back(key);
    return key == L"checktype" ? 1 : fallback;  // only matching files: the filter is searched
  }
  std::wstring GetString(std::wstring_view key, std::wstring_view fallback) override {
    keys.emplace_back(key);
    return std::wstring(fallback);
  }
  std::vector<std::wstring> ReadIgnoreList() override { return {L"txt"}; }
};

TEST(ReadAheadTest, TheSettingsCopyHoldsEverySettingTheWalkReads) {
  FakeFileSystem disk;
  disk.AddDirectory(L"D:\\d", {L"a.txt", L"b.bin"});
  disk.AddFile(L"D:\\d\\a.txt", "Sa\n");
  disk.AddFile(L"D:\\d\\b.bin", "Sb\n");
  KeyRecordingSettings live;
  const Inspected direct = Inspect(disk, live, L"D:\\d");
  for (const std::wstring& key : live.keys) {
    EXPECT_TRUE(std::ranges::any_of(setting::kWalkSettings, [&](const setting::Int& s) { return s.key == key; }))
        << "the walk reads \"" << std::string(key.begin(), key.end()) << "\", which the copy lacks";
  }
  SettingsSnapshot copy(live);
  EXPECT_EQ(Inspect(disk, copy, L"D:\\d").events, direct.events);
}

}  // namespace
}  // namespace zentrel
