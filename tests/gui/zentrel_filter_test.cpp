// The settings file reaching the inspection of a drop: the name filter in each of its modes, and
// the number of bytes examined. The rules themselves are unit-tested natively; one or two cases
// per rule here prove that each setting is read and obeyed by the running program.
#include "zentrel_inspection.h"

using namespace guidriver;
using namespace zentrel_ui;

namespace {

class ZentrelFilterTest : public ZentrelInspectionTest {
 protected:
  // Names that tell the filter rules apart (the folder is case-insensitive, so a.txt and b.TXT
  // differ in more than case). Listed in walk order.
  std::wstring WriteNames() {
    const std::wstring root = SampleFolder();
    const std::wstring skip = root + L"\\skip";
    ::CreateDirectoryW(skip.c_str(), nullptr);
    for (const wchar_t* name : {L"a.txt", L"b.TXT", L"c.txt.bak", L"notes_txt", L"skip\\d.txt"})
      WriteFileBytes(root + L"\\" + name, "text\x0a");
    return root;
  }

  // The drop's rows by file path below `root`.
  std::vector<std::wstring> DroppedNames(const std::wstring& root) {
    EXPECT_TRUE(DropAndWait({root}));
    std::vector<std::wstring> names;
    for (const auto& row : List().AllRows()) {
      EXPECT_EQ(row[0].rfind(root + L"\\", 0), 0u) << Utf8(row[0]);
      names.push_back(row[0].substr(root.size() + 1));
    }
    return names;
  }

  std::vector<std::wstring> DropWithSettings(const std::string& config) {
    WriteSettings(config);
    const std::wstring root = WriteNames();
    Start();
    return DroppedNames(root);
  }

  // Ends the running program (which writes its settings back) so the next settings can be written.
  void Restart(const std::string& config) {
    PostCommand(main_, kMenuExit);
    ASSERT_EQ(process_->WaitForExit(), 0u);
    WriteSettings(config);
    Start();
  }
};

using Names = std::vector<std::wstring>;

}  // namespace

TEST_F(ZentrelFilterTest, WithoutSettingsEveryFileIsInspected) {
  EXPECT_EQ(DropWithSettings(""), (Names{L"a.txt", L"b.TXT", L"c.txt.bak", L"notes_txt", L"skip\\d.txt"}));
}

TEST_F(ZentrelFilterTest, EndStringIsMatchedCaseSensitivelyAtTheEndWithItsDotMatchingAnyCharacter) {
  EXPECT_EQ(DropWithSettings("<ignore><suffix>.txt</suffix></ignore>"), (Names{L"b.TXT", L"c.txt.bak"}));
}

TEST_F(ZentrelFilterTest, SelectingInspectsOnlyTheMatchingFiles) {
  EXPECT_EQ(DropWithSettings("<checktype>1</checktype><ignore><suffix>.txt</suffix></ignore>"),
            (Names{L"a.txt", L"notes_txt", L"skip\\d.txt"}));
}

TEST_F(ZentrelFilterTest, SelectingWithAnEmptyListInspectsNothingButTheDropStillEnds) {
  EXPECT_EQ(DropWithSettings("<checktype>1</checktype>"), Names{});
  EXPECT_TRUE(IsEnabled(Item(kConvert)));
}

TEST_F(ZentrelFilterTest, ExpressionIsSearchedAnywhereInTheNameAndNotAnchoredAtTheEnd) {
  EXPECT_EQ(DropWithSettings("<stringtype>1</stringtype><ignore><suffix>^a</suffix><suffix>TXT</suffix></ignore>"),
            (Names{L"c.txt.bak", L"notes_txt", L"skip\\d.txt"}));
}

TEST_F(ZentrelFilterTest, FullPathModeComparesTheWholePathAndNameModeOnlyTheName) {
  const std::string entry = "<ignore><suffix>\\\\skip\\\\</suffix></ignore>";
  EXPECT_EQ(DropWithSettings("<stringtype>1</stringtype><usefullpath>1</usefullpath>" + entry),
            (Names{L"a.txt", L"b.TXT", L"c.txt.bak", L"notes_txt"}));

  const std::wstring root = folder_.File(L"tree");
  Restart("<stringtype>1</stringtype><usefullpath>0</usefullpath>" + entry);
  EXPECT_EQ(DroppedNames(root), (Names{L"a.txt", L"b.TXT", L"c.txt.bak", L"notes_txt", L"skip\\d.txt"}));
}

TEST_F(ZentrelFilterTest, EmptyEntryMatchesEveryNameInBothModes) {
  EXPECT_EQ(DropWithSettings("<ignore><suffix></suffix></ignore>"), Names{});
  const std::wstring root = folder_.File(L"tree");
  Restart("<stringtype>1</stringtype><ignore><suffix></suffix></ignore>");
  EXPECT_EQ(DroppedNames(root), Names{});
}

// "*.txt" is no regular expression in either mode: it matches nothing, the entries beside it
// still work, and nothing is reported.
TEST_F(ZentrelFilterTest, UncompilableEntryMatchesNothingAndTheOtherEntriesStillApply) {
  EXPECT_EQ(DropWithSettings("<ignore><suffix>*.txt</suffix><suffix>.bak</suffix></ignore>"),
            (Names{L"a.txt", L"b.TXT", L"notes_txt", L"skip\\d.txt"}));
  EXPECT_EQ(FindTopLevelWindow({.processId = process_->Id(), .className = L"#32770", .caption = L"ERROR"}),
            nullptr);

  const std::wstring root = folder_.File(L"tree");
  Restart("<stringtype>1</stringtype><ignore><suffix>*.txt</suffix><suffix>bak$</suffix></ignore>");
  EXPECT_EQ(DroppedNames(root), (Names{L"a.txt", L"b.TXT", L"notes_txt", L"skip\\d.txt"}));
}

namespace {

// ASCII for exactly 1000 bytes (LF lines), then Shift_JIS lines ending in CR LF.
std::string AsciiHeadShiftJisTail() {
  std::string bytes;
  for (int line = 0; line < 100; ++line) bytes += "ascii....\x0a";  // 10 bytes a line
  for (int line = 0; line < 8; ++line)
    bytes += "\x93\xfa\x96{\x8c\xea\x82\xcc\x95\xb6\x8f\xcd\x82\xf0\x8f\x91\x82\xa2\x82\xc4\x82\xa2\x82"
             "\xdc\x82\xb7\x81" "B\x0d\x0a";
  return bytes;
}

}  // namespace

TEST_F(ZentrelInspectionTest, WithoutReadSizeOnlyTheFirstThousandBytesAreExamined) {
  const std::wstring file = SampleFolder() + L"\\late.txt";
  WriteFileBytes(file, AsciiHeadShiftJisTail());
  Start();
  ASSERT_TRUE(DropAndWait({file}));
  EXPECT_EQ(List().AllRows(), (Rows{{file, L"ASCII", L"LF"}}));
}

TEST_F(ZentrelInspectionTest, ReadSizeZeroExaminesTheWholeFile) {
  WriteSettings("<readsize>0</readsize>");
  const std::wstring file = SampleFolder() + L"\\late.txt";
  WriteFileBytes(file, AsciiHeadShiftJisTail());
  Start();
  ASSERT_TRUE(DropAndWait({file}));
  EXPECT_EQ(List().AllRows(), (Rows{{file, L"Shift_JIS", fixture_tree::kMixed}}));
}

TEST_F(ZentrelFilterTest, AnEntryThatWouldBacktrackForEverIsSearchedInBoundedTimeAndABackReferenceIsRefused) {
  WriteSettings("<stringtype>1</stringtype><ignore><suffix>(a+)+$</suffix><suffix>(a)\\1</suffix></ignore>");
  const std::wstring root = SampleFolder();
  const std::wstring name = std::wstring(200, L'a') + L"!";
  WriteFileBytes(root + L"\\" + name, "text\x0a");
  Start();
  SetText(main_, L"Zentrel");
  PostDrop(Item(kResultList), {root});
  HWND box = WaitForDialog(L"ERROR", process_->Id());
  // "This ignore pattern cannot be used (back-references are not supported)", then the entry.
  EXPECT_EQ(MessageBoxText(box),
            L"\x3053\x306e\x9664\x5916\x30d1\x30bf\x30fc\x30f3\x306f\x4f7f\x3048\x307e\x305b\x3093\xff08\x5f8c"
            L"\x65b9\x53c2\x7167\x306f\x6271\x3048\x307e\x305b\x3093\xff09\n(a)\\1");
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitForText(main_, kTitleDone));
  EXPECT_EQ(List().AllRows(), (Rows{{root + L"\\" + name, L"ASCII", L"LF"}}));
}
