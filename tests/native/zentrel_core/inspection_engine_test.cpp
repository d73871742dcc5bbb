// The walk and the inspection of one file against an in-memory file tree: order, status texts, row
// indexes, read sizes, errors, and files too large for one buffer.
#include "zentrel/core/inspection_engine.h"

#include <gtest/gtest.h>

#include "fake_platform.h"

namespace zentrel {
namespace {

using testing::FakeFileSystem;
using testing::FakeGuesser;
using testing::FakeSettings;
using testing::RecordingSink;
using Events = std::vector<std::wstring>;
using namespace std::string_literals;

class InspectionEngineTest : public ::testing::Test {
 protected:
  InspectionEngine Engine(EngineOptions options = {}) {
    return InspectionEngine(files, settings, guesser, sink, options);
  }

  FakeFileSystem files;
  FakeSettings settings;
  FakeGuesser guesser;
  RecordingSink sink;
};

TEST_F(InspectionEngineTest, WalksDepthFirstInListingOrderWithStatusTexts) {
  files.AddDirectory(L"D:\\drop", {L"b.txt", L"sub", L".hidden", L"a.txt"});
  files.AddDirectory(L"D:\\drop\\sub", {L"deep", L"c.txt"});
  files.AddDirectory(L"D:\\drop\\sub\\deep", {L"d.txt"});
  files.AddFile(L"D:\\drop\\b.txt", "b\r\n");
  files.AddFile(L"D:\\drop\\.hidden", "Sx\n");
  files.AddFile(L"D:\\drop\\a.txt", "a\r");
  files.AddFile(L"D:\\drop\\sub\\c.txt", "");
  files.AddFile(L"D:\\drop\\sub\\deep\\d.txt", "B\n");

  Engine().InspectPath(L"D:\\drop", -1);

  const Events expected = {
      L"status Check: D:\\drop",
      L"status Check: b.txt",
      L"row -1 D:\\drop\\b.txt|ASCII|CR LF",
      L"status Check: D:\\drop\\sub",
      L"status Check: D:\\drop\\sub\\deep",
      L"status Check: d.txt",
      L"row -1 D:\\drop\\sub\\deep\\d.txt|BINARY|",
      L"status Check: c.txt",
      L"row -1 D:\\drop\\sub\\c.txt|ASCII|",
      L"status Check: .hidden",
      L"row -1 D:\\drop\\.hidden|Shift_JIS|LF",
      L"status Check: a.txt",
      L"row -1 D:\\drop\\a.txt|ASCII|CR",
  };
  EXPECT_EQ(sink.events, expected);
}

TEST_F(InspectionEngineTest, RootWithTrailingSeparatorGetsADoubleSeparator) {
  files.AddDirectory(L"C:\\", {L"a.txt"});
  files.AddFile(L"C:\\\\a.txt", "x\n");
  Engine().InspectPath(L"C:\\", -1);
  EXPECT_EQ(sink.Rows(), Events{L"row -1 C:\\\\a.txt|ASCII|LF"});
}

TEST_F(InspectionEngineTest, LinuxSeparatorBuildsChildPathsAndFileNames) {
  files.AddDirectory(L"/data", {L"x\\y.txt"});
  files.AddFile(L"/data/x\\y.txt", "a\n");
  EngineOptions options;
  options.separator = L'/';
  Engine(options).InspectPath(L"/data", -1);
  EXPECT_EQ(sink.events, (Events{L"status Check: /data", L"status Check: x\\y.txt",
                                 L"row -1 /data/x\\y.txt|ASCII|LF"}));
}

TEST_F(InspectionEngineTest, AFileReachedTwiceGetsTwoRows) {
  files.AddDirectory(L"D:\\d", {L"f.txt"});
  files.AddFile(L"D:\\d\\f.txt", "x\n");
  InspectionEngine engine = Engine();
  engine.InspectPath(L"D:\\d\\f.txt", -1);
  engine.InspectPath(L"D:\\d", -1);
  EXPECT_EQ(sink.Rows(),
            (Events{L"row -1 D:\\d\\f.txt|ASCII|LF", L"row -1 D:\\d\\f.txt|ASCII|LF"}));
}

TEST_F(InspectionEngineTest, UnreadableFileIsReportedOnceAndTheWalkGoesOn) {
  files.AddDirectory(L"D:\\d", {L"a", L"locked", L"z"});
  files.AddFile(L"D:\\d\\a", "1");
  files.AddFile(L"D:\\d\\locked", "2").openable = false;
  files.AddFile(L"D:\\d\\z", "3");
  Engine().InspectPath(L"D:\\d", -1);
  EXPECT_EQ(sink.Rows(),
            (Events{L"row -1 D:\\d\\a|ASCII|", L"error D:\\d\\locked", L"row -1 D:\\d\\z|ASCII|"}));
}

TEST_F(InspectionEngineTest, WhatCannotBeInspectedIsReportedAndTheWalkGoesOn) {
  files.AddDirectory(L"D:\\d", {L"a", L"fifo", L"gone", L"long", L"shut", L".nkf32-x1Y2z3", L"z"});
  files.AddFile(L"D:\\d\\a", "1");
  files.AddFile(L"D:\\d\\fifo", "never read").kind = PathKind::Other;
  files.AddFile(L"D:\\d\\long", "").kind = PathKind::NameTooLong;
  files.AddDirectory(L"D:\\d\\shut", {L"x"}).listable = false;
  files.AddFile(L"D:\\d\\.nkf32-x1Y2z3", "a conversion's temporary file");
  files.AddFile(L"D:\\d\\z", "3");
  InspectionEngine engine = Engine();
  engine.InspectPath(L"D:\\d", -1);
  engine.InspectPath(L"D:\\missing", -1);
  engine.InspectPath(L"D:\\missing", 4);  // a re-checked row whose file has gone: the job told
  EXPECT_EQ(sink.Rows(), (Events{L"row -1 D:\\d\\a|ASCII|", L"not regular D:\\d\\fifo",
                                 L"not found D:\\d\\gone", L"too long D:\\d\\long",
                                 L"cannot list D:\\d\\shut", L"row -1 D:\\d\\z|ASCII|",
                                 L"not found D:\\missing"}));

  // The name filter comes first: a pipe it leaves out is not mentioned.
  sink.events.clear();
  settings.ignore = {L"fifo"};
  Engine().InspectPath(L"D:\\d\\fifo", -1);
  EXPECT_EQ(sink.Rows(), Events{});
}

TEST_F(InspectionEngineTest, RowIndexIsHandedToEveryInspectedFile) {
  files.AddDirectory(L"D:\\d", {L"a", L"b"});
  files.AddFile(L"D:\\d\\a", "1");
  files.AddFile(L"D:\\d\\b", "2");
  Engine().InspectPath(L"D:\\d", 5);
  EXPECT_EQ(sink.Rows(), (Events{L"row 5 D:\\d\\a|ASCII|", L"row 5 D:\\d\\b|ASCII|"}));
}

TEST_F(InspectionEngineTest, FilterExcludesOrSelectsAndStatusStillNamesTheFile) {
  files.AddDirectory(L"C:\\d", {L"a.txt", L"b.log"});
  files.AddFile(L"C:\\d\\a.txt", "1");
  files.AddFile(L"C:\\d\\b.log", "2");
  settings.ignore = {L".txt"};
  Engine().InspectPath(L"C:\\d", -1);
  EXPECT_EQ(sink.Rows(), Events{L"row -1 C:\\d\\b.log|ASCII|"});
  EXPECT_EQ(sink.events[1], L"status Check: a.txt");

  sink.events.clear();
  settings.ints[L"checktype"] = 1;
  Engine().InspectPath(L"C:\\d", -1);
  EXPECT_EQ(sink.Rows(), Events{L"row -1 C:\\d\\a.txt|ASCII|"});

  sink.events.clear();
  settings.ignore.clear();  // selecting with an empty list: nothing
  Engine().InspectPath(L"C:\\d", -1);
  EXPECT_TRUE(sink.Rows().empty());
}

TEST_F(InspectionEngineTest, FullPathModeComparesThePathButShowsTheName) {
  files.AddDirectory(L"C:\\d", {L"a.txt"});
  files.AddFile(L"C:\\d\\a.txt", "1");
  settings.ignore = {L"^C"};
  settings.ints[L"stringtype"] = 1;
  Engine().InspectPath(L"C:\\d", -1);
  EXPECT_EQ(sink.Rows().size(), 1u);  // the name "a.txt" does not start with C

  sink.events.clear();
  settings.ints[L"usefullpath"] = 1;
  Engine().InspectPath(L"C:\\d", -1);
  EXPECT_EQ(sink.events, (Events{L"status Check: C:\\d", L"status Check: a.txt"}));
}

TEST_F(InspectionEngineTest, SettingsAreReadForEveryPathOfAWalk) {
  files.AddDirectory(L"D:\\d", {L"a", L"b"});
  files.AddFile(L"D:\\d\\a", "1");
  files.AddFile(L"D:\\d\\b", "2");
  Engine().InspectPath(L"D:\\d", -1);
  EXPECT_EQ(settings.ignoreListReads, 3);  // the folder and each of its files
}

TEST_F(InspectionEngineTest, ReadSizeLimitsTheExaminedBytes) {
  const std::string content(2500, 'x');
  files.AddFile(L"D:\\f", content);
  const auto examinedWith = [&](std::optional<int> readSize) {
    if (readSize) settings.ints[L"readsize"] = *readSize;
    guesser.inputs.clear();
    Engine().InspectPath(L"D:\\f", -1);
    return guesser.inputs.at(0).size();
  };
  EXPECT_EQ(examinedWith(std::nullopt), 1000u);  // absent: 1000
  EXPECT_EQ(examinedWith(0), 2500u);             // 0: the whole file
  EXPECT_EQ(examinedWith(9999), 2500u);          // larger than the file: the whole file
  EXPECT_EQ(examinedWith(-1), 2500u);            // negative: never a limit
  EXPECT_EQ(examinedWith(7), 7u);
}

TEST_F(InspectionEngineTest, AShrunkFileIsExaminedAsFarAsItWasRead) {
  files.AddFile(L"D:\\f", "Sa\r\nb\r\n").reportedSize = 5000;
  settings.ints[L"readsize"] = 0;
  Engine().InspectPath(L"D:\\f", -1);
  EXPECT_EQ(guesser.inputs.at(0), "Sa\r\nb\r\n");
  EXPECT_EQ(sink.Rows(), Events{L"row -1 D:\\f|Shift_JIS|CR LF"});
}

TEST_F(InspectionEngineTest, SizesAreSixtyFourBit) {
  constexpr std::uint64_t kFourGiB = std::uint64_t{1} << 32;
  EXPECT_EQ(ExaminedLength(kFourGiB + 10, 1000), 1000u);  // not (size mod 2^32) = 10
  EXPECT_EQ(ExaminedLength(kFourGiB + 10, 0), kFourGiB + 10);
  EXPECT_EQ(ExaminedLength(kFourGiB + 10, -1), kFourGiB + 10);
  EXPECT_EQ(ExaminedLength(5, 1000), 5u);

  files.AddFile(L"D:\\huge", std::string(1200, 'y')).reportedSize = kFourGiB + 10;
  Engine().InspectPath(L"D:\\huge", -1);
  EXPECT_EQ(guesser.inputs.at(0).size(), 1000u);
}

TEST_F(InspectionEngineTest, LargeInputsAreStreamedInChunksWithTheSameVerdict) {
  // Line ends straddle the 7-byte chunks, and the forgiven CR is the last byte of the file.
  const std::string lf = "Sab\ncd\nef\ngh\nij\nkl\nmn\nop\r";
  const std::string crlfThenNul = "Sab\r\ncd\r\nef\r\ngh\0\r\n"s;
  std::string utf16 = std::string("U\0", 2);
  for (int i = 0; i < 5; ++i) utf16 += std::string("\x0A\x4E\x0D\x4E\r\0\n\0", 8);
  const std::string contents[] = {lf, crlfThenNul, utf16};
  settings.ints[L"readsize"] = 0;
  for (const std::string& content : contents) {
    files.AddFile(L"D:\\f", content);
    RecordingSink whole;
    InspectionEngine(files, settings, guesser, whole).InspectPath(L"D:\\f", -1);

    EngineOptions small;
    small.wholeBufferLimit = 16;
    small.chunkSize = 7;
    guesser.inputs.clear();
    sink.events.clear();
    Engine(small).InspectPath(L"D:\\f", -1);
    EXPECT_EQ(guesser.inputs, std::vector<std::string>{content});  // every byte, once, in order
    EXPECT_EQ(sink.Rows(), whole.Rows());
  }
  EXPECT_EQ(sink.Rows(), Events{L"row -1 D:\\f|UTF-16|CR LF"});
}

TEST_F(InspectionEngineTest, TooLargeForAGuesserThatCannotStreamIsAnErrorAndTheWalkGoesOn) {
  guesser.canStream = false;
  files.AddDirectory(L"D:\\d", {L"big", L"small"});
  files.AddFile(L"D:\\d\\big", std::string(40, 'a'));
  files.AddFile(L"D:\\d\\small", "a\n");
  settings.ints[L"readsize"] = 0;
  EngineOptions small;
  small.wholeBufferLimit = 16;
  Engine(small).InspectPath(L"D:\\d", -1);
  EXPECT_EQ(sink.Rows(), (Events{L"too large D:\\d\\big", L"row -1 D:\\d\\small|ASCII|LF"}));
}

}  // namespace
}  // namespace zentrel
