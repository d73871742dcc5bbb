// Saving the result list from the menu and the automatic log after a drop: the exact code page
// 932 bytes with CR LF, the delimiter and header settings, characters code page 932 cannot hold,
// and a target that cannot be written.
#include "zentrel_ui_steps.h"

#include <map>
#include <regex>

using namespace guidriver;
using namespace zentrel_ui;

namespace {

// The expected bytes of a cell: ASCII as it is, known Japanese texts from the cp932 codec.
std::string CellBytes(const std::wstring& cell, const std::map<std::wstring, std::string>& known = {}) {
  for (const auto& [text, bytes] : known) {
    if (cell.size() >= text.size() && cell.compare(cell.size() - text.size(), text.size(), text) == 0)
      return Ascii(cell.substr(0, cell.size() - text.size())) + bytes;
  }
  if (cell == kMixedEol) return HexBytes("8dac8ddd");
  return Ascii(cell);
}

std::string ExpectedLines(const Rows& rows, const std::string& delimiter,
                          const std::map<std::wstring, std::string>& known = {}) {
  std::string bytes;
  for (const auto& row : rows) {
    bytes += CellBytes(row[0], known) + delimiter + CellBytes(row[1], known) + delimiter + CellBytes(row[2], known) +
             "\r\n";
  }
  return bytes;
}

// A folder of small text files with known line endings.
std::wstring MakeTree(const TempFolder& folder) {
  const std::wstring tree = folder.File(L"tree");
  ::CreateDirectoryW(tree.c_str(), nullptr);
  WriteFileBytes(tree + L"\\crlf.txt", "one\r\ntwo\r\n");
  WriteFileBytes(tree + L"\\lf.txt", "one\ntwo\n");
  WriteFileBytes(tree + L"\\mixed.txt", "one\r\ntwo\nthree\r");
  return tree;
}

}  // namespace

class ZentrelExportTest : public ZentrelSessionTest {};

TEST_F(ZentrelExportTest, SavesTheHintRowAsATabLineBeforeAnyDropReplacingAnExistingFile) {
  StartWithSettings("");
  const std::wstring target = folder_.File(L"list.txt");
  WriteFileBytes(target, std::string(500, 'x'));  // longer than the list: nothing of it may stay

  SaveListTo(target);
  EXPECT_EQ(AnswerMessageBox(L"INFO"), kListSaved);
  EXPECT_EQ(ReadFileBytes(target), kHintRowBytes + "\t\t\r\n");
}

TEST_F(ZentrelExportTest, WritesCodePage932BytesWithCrLfInDisplayOrder) {
  StartWithSettings("");
  const std::wstring tree = MakeTree(folder_);
  WriteFileBytes(tree + L"\\\x65e5\x672c\x8a9e.txt", "\xe3\x81\x82\r\n");  // a Japanese name
  const Rows dropped = DropAndWait({tree});
  ASSERT_EQ(dropped.size(), 4u);
  const std::map<std::wstring, std::string> japaneseName{{L"\x65e5\x672c\x8a9e.txt", HexBytes("93fa967b8cea") + ".txt"}};

  // Sorted descending by path, so the file order differs from the walk's.
  List().ClickHeader(0);
  List().ClickHeader(0);
  ASSERT_TRUE(WaitUntil([&] { return List().Cell(0, 0) > List().Cell(3, 0); }, "rows sorted descending"));
  const Rows shown = List().AllRows();
  ASSERT_NE(shown, dropped);

  SaveListTo(folder_.File(L"sorted.txt"));
  EXPECT_EQ(AnswerMessageBox(L"INFO"), kListSaved);
  const std::string bytes = ReadFile(L"sorted.txt");
  EXPECT_EQ(bytes, ExpectedLines(shown, "\t", japaneseName));
  EXPECT_NE(bytes.find(HexBytes("93fa967b8cea")), std::string::npos);
  EXPECT_NE(bytes.find("\t" + HexBytes("8dac8ddd") + "\r\n"), std::string::npos) << "the mixed line ending text";
}

struct DelimiterCase {
  const char* name;
  const char* settings;
  const char* delimiter;
};

class ZentrelDelimiterTest : public ZentrelSessionTest, public testing::WithParamInterface<DelimiterCase> {};

TEST_P(ZentrelDelimiterTest, JoinsTheCellsWithTheWholeDelimiterText) {
  StartWithSettings(GetParam().settings);
  const Rows rows = DropAndWait({MakeTree(folder_)});
  ASSERT_EQ(rows.size(), 3u);
  SaveListTo(folder_.File(L"list.txt"));
  EXPECT_EQ(AnswerMessageBox(L"INFO"), kListSaved);
  EXPECT_EQ(ReadFile(L"list.txt"), ExpectedLines(rows, GetParam().delimiter));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ZentrelDelimiterTest,
    testing::Values(DelimiterCase{"TabWhenTypeIsZero", "<delimtype>0</delimtype><delimchar>;;</delimchar>", "\t"},
                    DelimiterCase{"TwoSemicolons", "<delimtype>1</delimtype><delimchar>;;</delimchar>", ";;"},
                    DelimiterCase{"EmptyText", "<delimtype>1</delimtype><delimchar></delimchar>", ""},
                    DelimiterCase{"CommaWhenTextAbsent", "<delimtype>1</delimtype>", ","}),
    [](const testing::TestParamInfo<DelimiterCase>& info) { return std::string(info.param.name); });

TEST_F(ZentrelExportTest, HeaderIsTheOnlyLineOfAnEmptyList) {
  StartWithSettings("<logheader>1</logheader>");
  const std::wstring empty = folder_.File(L"empty");
  ::CreateDirectoryW(empty.c_str(), nullptr);
  ASSERT_EQ(DropAndWait({empty}), Rows{});

  SaveListTo(folder_.File(L"list.txt"));
  EXPECT_EQ(AnswerMessageBox(L"INFO"), kListSaved);
  EXPECT_EQ(ReadFile(L"list.txt"), kTabHeaderLineBytes);
}

TEST_F(ZentrelExportTest, CharactersCodePage932CannotHoldBecomeQuestionMarksAndTheRestIsWritten) {
  StartWithSettings("");
  const std::wstring tree = folder_.File(L"tree");
  ::CreateDirectoryW(tree.c_str(), nullptr);
  // A Korean syllable, an emoji (a surrogate pair: one character), a yen sign (only a best-fit
  // backslash in code page 932) and a plain name after them.
  WriteFileBytes(tree + L"\\k\xd55c.txt", "a\r\n");
  WriteFileBytes(tree + L"\\e\xd83d\xde00.txt", "a\r\n");
  WriteFileBytes(tree + L"\\y\x00a5.txt", "a\r\n");
  WriteFileBytes(tree + L"\\z.txt", "a\r\n");
  const Rows rows = DropAndWait({tree});
  ASSERT_EQ(rows.size(), 4u);

  SaveListTo(folder_.File(L"list.txt"));
  EXPECT_EQ(AnswerMessageBox(L"INFO"), kListSaved + kSomeCharactersReplaced);
  const std::map<std::wstring, std::string> replaced{
      {L"k\xd55c.txt", "k?.txt"}, {L"e\xd83d\xde00.txt", "e?.txt"}, {L"y\x00a5.txt", "y?.txt"}};
  EXPECT_EQ(ReadFile(L"list.txt"), ExpectedLines(rows, "\t", replaced));
}

TEST_F(ZentrelExportTest, UnwritableTargetGetsTheErrorBoxWithThePathInsteadOfTheConfirmation) {
  StartWithSettings("");
  const std::wstring target = folder_.File(L"missing\\list.txt");
  SaveListTo(target);
  EXPECT_EQ(AnswerMessageBox(L"ERROR"), kListNotSaved + target);
  EXPECT_FALSE(FileExists(target));
  EXPECT_EQ(FindTopLevelWindow({.processId = Pid(), .className = L"#32770", .caption = L"INFO"}), nullptr);
}

TEST_F(ZentrelExportTest, ReadOnlyTargetKeepsItsContentAndGetsTheErrorBox) {
  StartWithSettings("");
  const std::wstring target = folder_.File(L"kept.txt");
  WriteFileBytes(target, "kept");
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  SaveListTo(target);
  EXPECT_EQ(AnswerMessageBox(L"ERROR"), kListNotSaved + target);
  EXPECT_EQ(ReadFileBytes(target), "kept");
  ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ZentrelExportTest, SaveDialogOffersAllFilesAndAddsTheTxtExtension) {
  StartWithSettings("");
  PostCommand(main_, kMenuSaveList);
  HWND dialog = WaitForDialog(kSaveDialogTitle, Pid());
  EXPECT_EQ(::GetWindow(dialog, GW_OWNER), main_);
  EXPECT_EQ(ComboItems(Control(dialog, 0x470)),
            std::vector<std::wstring>{L"\x3059\x3079\x3066\x306e\x30d5\x30a1\x30a4\x30eb(*.*)"});
  SetText(Control(dialog, 0x47c), folder_.File(L"named"));
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntilGone(dialog));
  EXPECT_EQ(AnswerMessageBox(L"INFO"), kListSaved);
  EXPECT_EQ(ReadFile(L"named.txt"), kHintRowBytes + "\t\t\r\n");
}

TEST_F(ZentrelExportTest, CancellingTheSaveDialogWritesNothingAndShowsNothing) {
  StartWithSettings("");
  PostCommand(main_, kMenuSaveList);
  HWND dialog = WaitForDialog(kSaveDialogTitle, Pid());
  PressButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(dialog));
  EXPECT_TRUE(PostedMessagesHandled());
  EXPECT_EQ(FindTopLevelWindow({.processId = Pid(), .className = L"#32770", .caption = L"INFO"}), nullptr);
}

// The automatic log.

TEST_F(ZentrelExportTest, LogIsRewrittenAfterEveryDropWhenOn) {
  StartWithSettings("<logauto>1</logauto><logheader>1</logheader>");
  const std::wstring tree = MakeTree(folder_);
  const Rows first = DropAndWait({tree});
  EXPECT_EQ(ReadFile(L"zentrel.log"), kTabHeaderLineBytes + ExpectedLines(first, "\t"));

  const Rows second = DropAndWait({tree + L"\\lf.txt"});
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(ReadFile(L"zentrel.log"), kTabHeaderLineBytes + ExpectedLines(second, "\t"));
}

TEST_F(ZentrelExportTest, NoLogUnlessLogautoIsExactlyOne) {
  StartWithSettings("<logauto>2</logauto>");
  DropAndWait({MakeTree(folder_)});
  EXPECT_FALSE(FileExists(folder_.File(L"zentrel.log")));
}

TEST_F(ZentrelExportTest, DatedLogNameCarriesTheLocalTimeOfTheDrop) {
  StartWithSettings("<logauto>1</logauto><logdate>1</logdate>");
  SYSTEMTIME before{};
  ::GetLocalTime(&before);
  const Rows rows = DropAndWait({MakeTree(folder_)});
  SYSTEMTIME after{};
  ::GetLocalTime(&after);

  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(folder_.File(L"zentrel*.log").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no log written";
  const std::wstring name = found.cFileName;
  EXPECT_FALSE(::FindNextFileW(search, &found)) << "a second log";
  ::FindClose(search);

  auto stamp = [](const SYSTEMTIME& t) {
    wchar_t text[32];
    swprintf(text, 32, L"%04d%02d%02d_%02d%02d%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return std::wstring(text);
  };
  ASSERT_TRUE(std::regex_match(name, std::wregex(LR"(zentrel_\d{8}_\d{6}\.log)"))) << Utf8(name);
  const std::wstring logged = name.substr(8, 15);
  EXPECT_LE(stamp(before), logged);
  EXPECT_GE(stamp(after), logged);
  EXPECT_EQ(ReadFile(name), ExpectedLines(rows, "\t"));
}
