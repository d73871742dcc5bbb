// The conversion job's edges: refusals leave files untouched, the hidden and read-only questions,
// empty and binary lists, Cancel and the close box while the worker runs, several dropped items.
#include "zentrel_convert_session.h"

using namespace guidriver;
using namespace zentrel_ui;

namespace {

// "Japanese text." in Shift_JIS, CR LF; and the same as UTF-8 with LF.
const std::string kSjisText = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\x81\x42\r\n";
const std::string kUtf8Line = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe3\x83\x86\xe3\x82\xad\xe3\x82\xb9"
                              "\xe3\x83\x88\xe3\x80\x82";
const std::string kUtf8TextLf = kUtf8Line + "\n";
const std::string kUtf8TextCrLf = kUtf8Line + "\r\n";
// Japanese text with an emoji, which Shift_JIS cannot hold.
const std::string kUtf8WithEmoji = "\xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80\n";

const std::wstring kHiddenQuestion =
    L"\n\n\x5bfe\x8c61\x306e\x30d5\x30a1\x30a4\x30eb\x306f\x96a0\x3057\x30d5\x30a1\x30a4\x30eb\x5c5e\x6027"
    L"\x3067\x3059\x3002\n\x5f37\x5236\x7684\x306b\x5909\x63db\x3057\x307e\x3059\x304b\xff1f";
const std::wstring kReadOnlyQuestion =
    L"\n\n\x5bfe\x8c61\x306e\x30d5\x30a1\x30a4\x30eb\x306f\x8aad\x307f\x53d6\x308a\x5c02\x7528\x5c5e\x6027"
    L"\x3067\x3059\x3002\n\x5f37\x5236\x7684\x306b\x5909\x63db\x3057\x307e\x3059\x304b\xff1f";

// Answers the next "WARNING" question of the program, checking its text.
void Answer(DWORD processId, const std::wstring& expectedText, int button) {
  HWND box = WaitForDialog(L"WARNING", processId);
  EXPECT_EQ(MessageBoxText(box), expectedText);
  PressButton(box, button);
  ASSERT_TRUE(WaitUntilGone(box));
}

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

}  // namespace

TEST_F(ZentrelConvertTest, ACharacterTheTargetCannotHoldIsAnErrorAndLeavesTheFileUntouched) {
  const std::wstring file = folder_.File(L"emoji.txt");
  WriteFileBytes(file, kUtf8WithEmoji);
  Drop({file}, 1);
  const std::wstring out = folder_.File(L"out");
  Rows status = Convert(kShiftJis, kKeepLineEndings, out);
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0][1], L"ERROR");
  EXPECT_FALSE(FileExists(out + L"\\emoji.txt"));

  status = Convert(kShiftJis, kKeepLineEndings);  // in place
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0][1], L"ERROR");
  EXPECT_EQ(ReadFileBytes(file), kUtf8WithEmoji);
}

TEST_F(ZentrelConvertTest, AFileThatVanishedIsAnErrorWithoutQuestions) {
  const std::wstring file = folder_.File(L"gone.txt");
  WriteFileBytes(file, kSjisText);
  Drop({file}, 1);
  ASSERT_TRUE(DeleteFileW(file.c_str()));
  const Rows status = Convert(kUtf8, kLf);
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0][1], L"ERROR");
  EXPECT_EQ(FindTopLevelWindow({.processId = process_->Id(), .className = L"#32770", .caption = L"WARNING"}), nullptr);
}

struct QuestionCase {
  const char* name;
  DWORD attributes;
  std::vector<int> answers;  // in the order the questions come: hidden first
  bool converted;
};

class ZentrelQuestionTest : public ZentrelConvertTest, public testing::WithParamInterface<QuestionCase> {};

TEST_P(ZentrelQuestionTest, AsksBeforeTouchingAndRestoresTheAttributes) {
  const QuestionCase& c = GetParam();
  const std::wstring file = folder_.File(L"guarded.txt");
  WriteFileBytes(file, kSjisText);
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), c.attributes));
  Drop({file}, 1);

  HWND progress = StartConvert(kUtf8, kLf);
  size_t asked = 0;
  bool declined = false;  // a "No" ends the questions for this file
  if (c.attributes & FILE_ATTRIBUTE_HIDDEN) {
    declined = c.answers[asked] == IDNO;
    Answer(process_->Id(), file + kHiddenQuestion, c.answers[asked++]);
  }
  if ((c.attributes & FILE_ATTRIBUTE_READONLY) && !declined) {
    Answer(process_->Id(), file + kReadOnlyQuestion, c.answers[asked++]);
  }
  EXPECT_EQ(asked, c.answers.size());
  WaitForJobEnd(progress);
  const Rows status = RemoteListView(Control(progress, kProgressStatusList)).AllRows();
  CloseProgress(progress);

  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0][1], c.converted ? L"success" : L"skip");
  EXPECT_EQ(Attributes(file) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY), c.attributes);
  EXPECT_EQ(ReadFileBytes(file), c.converted ? kUtf8TextLf : kSjisText);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

INSTANTIATE_TEST_SUITE_P(
    EveryAnswer, ZentrelQuestionTest,
    testing::Values(QuestionCase{"HiddenYes", FILE_ATTRIBUTE_HIDDEN, {IDYES}, true},
                    QuestionCase{"HiddenNo", FILE_ATTRIBUTE_HIDDEN, {IDNO}, false},
                    QuestionCase{"ReadOnlyYes", FILE_ATTRIBUTE_READONLY, {IDYES}, true},
                    QuestionCase{"ReadOnlyNo", FILE_ATTRIBUTE_READONLY, {IDNO}, false},
                    QuestionCase{"BothYesYes", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, {IDYES, IDYES}, true},
                    QuestionCase{"BothYesNo", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, {IDYES, IDNO}, false},
                    QuestionCase{"BothNo", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, {IDNO}, false}),
    [](const testing::TestParamInfo<QuestionCase>& info) { return std::string(info.param.name); });

TEST_F(ZentrelConvertTest, AnEmptyListShowsOnlyTheFinishedReCheck) {
  const std::wstring empty = folder_.File(L"empty");
  ASSERT_TRUE(CreateDirectoryW(empty.c_str(), nullptr));
  Drop({empty}, 0);
  const Rows status = Convert(kUtf8, kKeepLineEndings);
  ASSERT_EQ(status.size(), 1u);
  EXPECT_EQ(status[0][0], kRecheckRow);
  EXPECT_EQ(status[0][1], kRecheckDone);
}

TEST_F(ZentrelConvertTest, BinaryRowsAreSkippedButReChecked) {
  const std::wstring tree = folder_.File(L"mixed");
  ASSERT_TRUE(CreateDirectoryW(tree.c_str(), nullptr));
  const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 33);
  WriteFileBytes(tree + L"\\a.png", png);
  WriteFileBytes(tree + L"\\b.txt", kSjisText);
  Drop({tree}, 2);
  ASSERT_EQ(RemoteListView(Item(kResultList)).Cell(0, 1), L"BINARY");
  const Rows status = Convert(kUtf8, kLf);
  ASSERT_EQ(status.size(), 3u);
  EXPECT_EQ(status[0][1], L"skip");
  EXPECT_EQ(status[1][1], L"success");
  EXPECT_EQ(ReadFileBytes(tree + L"\\a.png"), png);
  const Rows rows = ResultRows();
  EXPECT_EQ(rows[0][1], L"BINARY");
  EXPECT_EQ(rows[1][1], L"UTF-8");
}

// The first file asks its question, which holds the worker inside that file while the test
// presses Cancel (or the close box); the rest of the list must then stay untouched.
class ZentrelStopTest : public ZentrelConvertTest {
 protected:
  void SetUpTree() {
    tree_ = folder_.File(L"job");
    ASSERT_TRUE(CreateDirectoryW(tree_.c_str(), nullptr));
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) WriteFileBytes(tree_ + L"\\" + name, kSjisText);
    ASSERT_TRUE(SetFileAttributesW((tree_ + L"\\a.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    Drop({tree_}, 4);
  }
  void ExpectOnlyTheFirstHandled() {
    EXPECT_EQ(ReadFileBytes(tree_ + L"\\a.txt"), kUtf8TextCrLf);
    for (const wchar_t* name : {L"b.txt", L"c.txt", L"d.txt"}) EXPECT_EQ(ReadFileBytes(tree_ + L"\\" + name), kSjisText);
    const Rows rows = ResultRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][1], L"UTF-8");  // re-checked
    for (size_t row = 1; row < 4; ++row) EXPECT_EQ(rows[row][1], L"Shift_JIS") << row;
    SetFileAttributesW((tree_ + L"\\a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::wstring tree_;
};

TEST_F(ZentrelStopTest, CancelFinishesTheFileAtHandThenReChecksOnlyTheHandledRows) {
  SetUpTree();
  HWND progress = StartConvert(kUtf8, kKeepLineEndings);
  HWND question = WaitForDialog(L"WARNING", process_->Id());
  // Sent, not posted: Cancel has been handled before the question is answered.
  Send(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(Control(progress, IDCANCEL)));
  PressButton(question, IDYES);
  WaitForJobEnd(progress);
  const Rows status = RemoteListView(Control(progress, kProgressStatusList)).AllRows();
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0][1], L"success");
  EXPECT_EQ(status[1][0], kRecheckRow);
  EXPECT_EQ(status[1][1], kRecheckDone);
  EXPECT_TRUE(IsEnabled(Control(progress, IDOK)));
  CloseProgress(progress);
  ExpectOnlyTheFirstHandled();
}

TEST_F(ZentrelStopTest, TheCloseBoxWhileRunningActsAsCancelAndClosesOnceTheWorkerHasEnded) {
  SetUpTree();
  HWND progress = StartConvert(kUtf8, kKeepLineEndings);
  HWND question = WaitForDialog(L"WARNING", process_->Id());
  Send(progress, WM_SYSCOMMAND, SC_CLOSE);
  EXPECT_TRUE(IsWindow(progress));  // still there: the worker is inside a file
  PressButton(question, IDYES);
  ASSERT_TRUE(WaitUntilGone(progress));
  ASSERT_TRUE(WaitForText(main_, kTitleDone));
  EXPECT_TRUE(process_->IsRunning());
  ExpectOnlyTheFirstHandled();
}

TEST_F(ZentrelConvertTest, ItemsDroppedTogetherKeepTheirOwnSubFoldersInTheOutputFolder) {
  const std::wstring first = folder_.File(L"first");
  const std::wstring second = folder_.File(L"second_item");
  for (const std::wstring& folder : {first, first + L"\\sub", second, second + L"\\deeper", second + L"\\deeper\\sub2"})
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  WriteFileBytes(first + L"\\sub\\x.txt", kSjisText);
  WriteFileBytes(second + L"\\deeper\\sub2\\y.txt", kSjisText);
  const std::wstring single = folder_.File(L"single.txt");
  WriteFileBytes(single, kSjisText);
  Drop({first, second, single}, 3);

  const std::wstring out = folder_.File(L"out");
  const Rows status = Convert(kUtf8, kKeepLineEndings, out);
  ASSERT_EQ(status.size(), 4u);
  EXPECT_EQ(FilesBelow(out), (std::vector<std::wstring>{L"deeper\\sub2\\y.txt", L"single.txt", L"sub\\x.txt"}));
  EXPECT_EQ(ReadFileBytes(out + L"\\sub\\x.txt"), kUtf8TextCrLf);
}

TEST_F(ZentrelConvertTest, IntoAnOutputFolderTheTargetTakesTheSourcesAttributesAndAReadOnlyTargetIsReplaced) {
  const std::wstring guarded = folder_.File(L"guarded.txt");
  const std::wstring plain = folder_.File(L"plain.txt");
  WriteFileBytes(guarded, kSjisText);
  WriteFileBytes(plain, kSjisText);
  constexpr DWORD kGuarded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
  ASSERT_TRUE(SetFileAttributesW(guarded.c_str(), kGuarded));
  const std::wstring out = folder_.File(L"out");
  ASSERT_TRUE(CreateDirectoryW(out.c_str(), nullptr));
  // Left read-only by an earlier run: overwritten all the same, and ordinary afterwards like its source.
  WriteFileBytes(out + L"\\plain.txt", "old");
  ASSERT_TRUE(SetFileAttributesW((out + L"\\plain.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  Drop({guarded, plain}, 2);

  const Rows status = Convert(kUtf8, kLf, out);  // no question in folder mode
  ASSERT_EQ(status.size(), 3u);
  EXPECT_EQ(status[0][1], L"success");
  EXPECT_EQ(status[1][1], L"success");
  constexpr DWORD kWatched = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
  EXPECT_EQ(Attributes(out + L"\\guarded.txt") & kWatched, kGuarded);
  EXPECT_EQ(Attributes(out + L"\\plain.txt") & kWatched, 0u);
  EXPECT_EQ(ReadFileBytes(out + L"\\plain.txt"), kUtf8TextLf);
  EXPECT_EQ(Attributes(guarded) & kWatched, kGuarded);  // the source is not touched
  EXPECT_EQ(ReadFileBytes(guarded), kSjisText);
  for (const std::wstring& file : {guarded, out + L"\\guarded.txt", out + L"\\plain.txt"})
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ZentrelConvertTest, IntoAnOutputFolderNothingListedIsWrittenOver) {
  // Two dropped files with the same name: the second would replace the first one's output.
  const std::wstring x = folder_.File(L"x");
  const std::wstring y = folder_.File(L"y");
  for (const std::wstring& folder : {x, y}) ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  WriteFileBytes(x + L"\\same.txt", kSjisText);
  WriteFileBytes(y + L"\\same.txt", "second\r\n");
  Drop({x + L"\\same.txt", y + L"\\same.txt"}, 2);
  const std::wstring out = folder_.File(L"out");
  Rows status = Convert(kUtf8, kLf, out);
  ASSERT_EQ(status.size(), 3u);
  EXPECT_EQ(status[0][1], L"success");
  EXPECT_EQ(status[1][1], L"ERROR");
  EXPECT_EQ(ReadFileBytes(out + L"\\same.txt"), kUtf8TextLf);

  // The output folder inside the dropped folder, holding a listed file not yet converted.
  const std::wstring tree = folder_.File(L"tree");
  for (const std::wstring& folder : {tree, tree + L"\\o"}) ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  WriteFileBytes(tree + L"\\a.txt", kSjisText);
  WriteFileBytes(tree + L"\\o\\a.txt", "listed\r\n");
  Drop({tree}, 2);
  status = Convert(kUtf8, kLf, tree + L"\\o");
  ASSERT_EQ(status.size(), 3u);
  EXPECT_EQ(status[0][1], L"ERROR");
  EXPECT_EQ(status[1][1], L"success");
  EXPECT_EQ(ReadFileBytes(tree + L"\\o\\a.txt"), "listed\r\n");
  EXPECT_EQ(ReadFileBytes(tree + L"\\o\\o\\a.txt"), "listed\n");
}

TEST_F(ZentrelConvertTest, InPlaceAFileWithSeveralHardLinksIsRefusedAndLeftWhole) {
  // Replaced under one name, the file would part from its other name, which kept the old text.
  const std::wstring file = folder_.File(L"linked.txt");
  const std::wstring other = folder_.File(L"other-name.txt");
  WriteFileBytes(file, kSjisText);
  ASSERT_TRUE(CreateHardLinkW(other.c_str(), file.c_str(), nullptr));
  Drop({file}, 1);
  const Rows status = Convert(kUtf8, kLf);
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0][1], L"ERROR");
  EXPECT_EQ(ReadFileBytes(file), kSjisText);
  EXPECT_EQ(ReadFileBytes(other), kSjisText);
}
