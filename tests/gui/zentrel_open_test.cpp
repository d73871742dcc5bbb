// The open action on a listed file: removal from the list, the default application, the
// configured application (a fixture that records its command line), and the double-click setting.
#include "zentrel_ui_steps.h"

#include <commctrl.h>

#include <algorithm>

using namespace guidriver;
using namespace zentrel_ui;

namespace {

constexpr int kMenuRemoveRow = 200;
constexpr int kMenuOpenDefault = 201;
constexpr int kMenuOpenWithApplication = 202;

std::wstring Utf16Text(const std::string& bytes) {
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// The complete lines of the recorder's file, one per program started.
std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

}  // namespace

class ZentrelOpenTest : public ZentrelSessionTest {
 protected:
  // Three listed files a.txt, b.txt, c.txt in a folder of the test.
  void StartWithThreeRows(const std::string& settings) {
    StartWithSettings(settings);
    tree_ = folder_.File(L"tree");
    ::CreateDirectoryW(tree_.c_str(), nullptr);
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) WriteFileBytes(tree_ + L"\\" + name, "text\r\n");
    ASSERT_EQ(DropAndWait({tree_}).size(), 3u);
    ASSERT_EQ(List().Cell(0, 0), tree_ + L"\\a.txt");
  }

  // The recorder copied into a folder whose name holds a blank, as an application path may.
  std::wstring InstallRecorder() {
    const std::wstring folder = folder_.File(L"my tools");
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring program = folder + L"\\recorder.exe";
    EXPECT_TRUE(::CopyFileW(ProgramBesideTest(L"command_line_recorder.exe").c_str(), program.c_str(), FALSE));
    return program;
  }

  std::vector<std::wstring> FirstCells() const {
    std::vector<std::wstring> cells;
    for (const auto& row : List().AllRows()) cells.push_back(row[0]);
    return cells;
  }

  std::wstring File(const wchar_t* name) const { return tree_ + L"\\" + name; }

  // The command lines the recorder was started with (it runs in Zentrel's folder).
  std::vector<std::wstring> Recorded() const {
    const std::wstring record = folder_.File(L"command_line.txt");
    return FileExists(record) ? Lines(Utf16Text(ReadFileBytes(record))) : std::vector<std::wstring>{};
  }
  std::wstring WaitForFirstRecord() const {
    EXPECT_TRUE(WaitUntil([&] { return !Recorded().empty(); }, "the recorder to write its command line"));
    const auto lines = Recorded();
    return lines.empty() ? std::wstring() : lines.front();
  }

  // Programs start asynchronously, so "nothing was started" cannot be read off at once. The
  // sentinel is c.txt opened with the configured application after the actions under test: once
  // its start is recorded, theirs would have had the same time; it must be the only record.
  void ExpectOnlyTheSentinelStarted() {
    List().ClearSelection();
    List().Select(2);
    PostCommand(main_, kMenuOpenWithApplication);
    const std::wstring quoted = L"\"" + File(L"c.txt") + L"\"";
    ASSERT_TRUE(WaitUntil(
        [&] {
          const auto lines = Recorded();
          return std::any_of(lines.begin(), lines.end(), [&](const auto& line) { return line.ends_with(quoted); });
        },
        "the sentinel's start"));
    EXPECT_EQ(Recorded().size(), 1u) << Utf8(Recorded().front());
  }

  std::wstring tree_;
};

TEST_F(ZentrelOpenTest, ConfiguredApplicationGetsTheQuotedPathOfTheFirstSelectedRow) {
  const std::wstring recorder = InstallRecorder();
  std::string settings = "<openapp>" + Ascii(recorder) + "</openapp>";
  StartWithThreeRows(settings);
  List().Select(2);
  List().Select(1);

  PostCommand(main_, kMenuOpenWithApplication);
  const std::wstring commandLine = WaitForFirstRecord();
  const std::wstring quoted = L"\"" + File(L"b.txt") + L"\"";
  ASSERT_GE(commandLine.size(), quoted.size()) << Utf8(commandLine);
  EXPECT_EQ(commandLine.substr(commandLine.size() - quoted.size()), quoted) << Utf8(commandLine);
  EXPECT_NE(commandLine.find(L"recorder.exe"), std::wstring::npos) << Utf8(commandLine);
  EXPECT_EQ(List().RowCount(), 3);
}

TEST_F(ZentrelOpenTest, DoubleClickWithSettingTwoStartsTheConfiguredApplication) {
  const std::wstring recorder = InstallRecorder();
  StartWithThreeRows("<dclick>2</dclick><openapp>" + Ascii(recorder) + "</openapp>");
  List().DoubleClick(0);
  const std::wstring commandLine = WaitForFirstRecord();
  const std::wstring quoted = L" \"" + File(L"a.txt") + L"\"";
  ASSERT_GE(commandLine.size(), quoted.size()) << Utf8(commandLine);
  EXPECT_EQ(commandLine.substr(commandLine.size() - quoted.size()), quoted) << Utf8(commandLine);
}

TEST_F(ZentrelOpenTest, DefaultApplicationMissingShowsTheErrorWithTheUnquotedPathAndKeepsTheRow) {
  StartWithSettings("");
  const std::wstring file = folder_.File(L"no association.zzqx");
  WriteFileBytes(file, "text\r\n");
  ASSERT_EQ(DropAndWait({file}).size(), 1u);
  List().Select(0);

  PostCommand(main_, kMenuOpenDefault);
  EXPECT_EQ(AnswerMessageBox(L"ERROR"), kOpenFailed + file);
  EXPECT_EQ(List().RowCount(), 1);
}

TEST_F(ZentrelOpenTest, RemovalTakesOnlyTheFirstSelectedRowAndLeavesTheFile) {
  StartWithThreeRows("");
  List().Select(2);
  List().Select(1);
  PostCommand(main_, kMenuRemoveRow);
  ASSERT_TRUE(WaitUntil([&] { return List().RowCount() == 2; }, "one row removed"));
  EXPECT_EQ(FirstCells(), (std::vector<std::wstring>{File(L"a.txt"), File(L"c.txt")}));
  EXPECT_TRUE(FileExists(File(L"b.txt")));
}

TEST_F(ZentrelOpenTest, RemovalThroughTheContextMenuTakesTheClickedRow) {
  StartWithThreeRows("");
  List().RightClick(2);
  HWND menu = WaitForPopupMenu(Pid());
  ChoosePopupMenuItem(menu, 0);
  ASSERT_TRUE(WaitUntil([&] { return List().RowCount() == 2; }, "one row removed"));
  EXPECT_EQ(FirstCells(), (std::vector<std::wstring>{File(L"a.txt"), File(L"b.txt")}));
  EXPECT_TRUE(FileExists(File(L"c.txt")));
}

TEST_F(ZentrelOpenTest, DoubleClickWithoutTheSettingRemovesTheFirstSelectedRow) {
  StartWithThreeRows("");
  List().Select(1);
  List().Select(2);
  List().PostNotification(NM_DBLCLK, 2);
  ASSERT_TRUE(WaitUntil([&] { return List().RowCount() == 2; }, "one row removed"));
  EXPECT_EQ(FirstCells(), (std::vector<std::wstring>{File(L"a.txt"), File(L"c.txt")}));
}

TEST_F(ZentrelOpenTest, DoubleClickWithSettingThreeDoesNothing) {
  const std::wstring recorder = InstallRecorder();
  StartWithThreeRows("<dclick>3</dclick><openapp>" + Ascii(recorder) + "</openapp>");
  List().Select(0);
  List().PostNotification(NM_DBLCLK, 0);
  ASSERT_TRUE(PostedMessagesHandled());
  EXPECT_EQ(List().RowCount(), 3);
  EXPECT_EQ(FindTopLevelWindow({.processId = Pid(), .className = L"#32770", .caption = L"ERROR"}), nullptr);
  ExpectOnlyTheSentinelStarted();
}

TEST_F(ZentrelOpenTest, NothingSelectedMeansNoEffectInEveryMode) {
  const std::wstring recorder = InstallRecorder();
  StartWithThreeRows("<openapp>" + Ascii(recorder) + "</openapp>");
  List().ClearSelection();
  for (int command : {kMenuRemoveRow, kMenuOpenDefault, kMenuOpenWithApplication}) PostCommand(main_, command);
  List().PostNotification(NM_DBLCLK, 0);
  ASSERT_TRUE(PostedMessagesHandled());
  EXPECT_EQ(List().RowCount(), 3);
  EXPECT_EQ(FindTopLevelWindow({.processId = Pid(), .className = L"#32770", .caption = L"ERROR"}), nullptr);
  ExpectOnlyTheSentinelStarted();
}
