// The readers against programs nobody here wrote: those that ship with Wine (notepad, wordpad,
// regedit, taskmgr, winefile). Every expectation comes from outside the reader: text the test put
// into a control, a value it wrote into the registry, the drives and process ids the system
// reports, fixed names (the registry roots), or the control's state read by the driver's own code.
#include "guidriver/guidriver.h"

#include "glimmet/capture/readers.h"
#include "glimmet/platform/window_text.h"
#include "glimmet/reports/window_report.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using guidriver::Utf8;

namespace {

std::wstring WindowsFolder() {
  wchar_t folder[MAX_PATH] = {};
  ::GetWindowsDirectoryW(folder, MAX_PATH);
  return folder;
}

std::wstring ProgramFilesFolder() {
  wchar_t folder[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, folder);
  return folder;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::wstring> SplitCells(const std::wstring& row) {
  std::vector<std::wstring> cells;
  std::wstringstream stream(row);
  for (std::wstring cell; std::getline(stream, cell, L'\t');) cells.push_back(cell);
  if (!row.empty() && row.back() == L'\t') cells.emplace_back();
  return cells;
}

// The visible descendants of `parent` of one class, in the order EnumChildWindows gives them.
std::vector<HWND> Descendants(HWND parent, const std::wstring& className) {
  struct Search {
    const std::wstring& className;
    std::vector<HWND> found;
  } search{className, {}};
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM context) -> BOOL {
        auto* search = reinterpret_cast<Search*>(context);
        if (::IsWindowVisible(child) && guidriver::ClassName(child) == search->className) search->found.push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Descendant(HWND parent, const std::wstring& className, std::size_t index = 0) {
  const std::vector<HWND> found = Descendants(parent, className);
  if (found.size() <= index) throw guidriver::DriverError("no visible " + Utf8(className) + " #" + std::to_string(index));
  return found[index];
}

HWND DescendantWithId(HWND parent, const std::wstring& className, int id) {
  for (HWND child : Descendants(parent, className)) {
    if (::GetDlgCtrlID(child) == id) return child;
  }
  throw guidriver::DriverError("no visible " + Utf8(className) + " with id " + std::to_string(id));
}

// A tab's text through the driver's own remote block (a TCITEMW and its buffer in the target).
std::vector<std::wstring> TabTexts(HWND tab, DWORD processId) {
  std::vector<std::wstring> texts;
  const auto count = guidriver::Send(tab, TCM_GETITEMCOUNT);
  constexpr std::size_t kChars = 512;
  guidriver::RemoteBuffer block(processId, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
  for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = static_cast<wchar_t*>(block.AddressAt(sizeof(TCITEMW)));
    item.cchTextMax = kChars;
    block.Write(&item, sizeof(item));
    const wchar_t empty = L'\0';
    block.Write(&empty, sizeof(empty), sizeof(TCITEMW));
    guidriver::Send(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(block.Address()));
    std::wstring text(kChars, L'\0');
    block.Read(text.data(), kChars * sizeof(wchar_t), sizeof(TCITEMW));
    texts.push_back(text.substr(0, text.find(L'\0')));
  }
  return texts;
}

// Clicks tab `index` as the user does: the tab control itself then tells its parent.
void ClickTab(HWND tab, DWORD processId, int index) {
  guidriver::RemoteBuffer block(processId, sizeof(RECT));
  guidriver::Send(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block.Address()));
  const RECT rect = block.ReadAs<RECT>();
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  guidriver::Post(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
  guidriver::Post(tab, WM_LBUTTONUP, 0, point);
}

class ForeignProgramTest : public testing::Test {
 protected:
  void SetUp() override { settings_.running = true; }

  // Starts a program of the Wine installation and waits for its main window; empty when the
  // program is not installed (the caller skips).
  std::optional<HWND> Start(const std::wstring& path, const std::wstring& mainClass, const std::wstring& folder = {}) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    process_.reset();
    process_.emplace(guidriver::Process::Start(path, {}, folder));
    return process_->WaitForMainWindow({.className = mainClass});
  }

  // Reads `control` the way a capture does when the pointer rests on (x, y) over it.
  glimmet::ReadResult ReadAt(HWND control, int x, int y) {
    settings_.pointWindow = reinterpret_cast<std::uintptr_t>(control);
    settings_.pointX = x;
    settings_.pointY = y;
    return glimmet::capture::ReadByKind(glimmet::ClassifyWindowClass(guidriver::ClassName(control)), context_);
  }
  glimmet::ReadResult Read(HWND control) {
    RECT rect{};
    ::GetWindowRect(control, &rect);
    return ReadAt(control, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }

  std::optional<guidriver::Process> process_;
  glimmet::AppSettings settings_;
  std::wstring progress_;
  glimmet::capture::ReaderContext context_{settings_, [this](const std::wstring& text) { progress_ = text; }, {}};
};

#define START_OR_SKIP(window, path, ...)                                                \
  const std::optional<HWND> started_##window = Start(path, __VA_ARGS__);                \
  if (!started_##window) GTEST_SKIP() << Utf8(path) << " is not installed in this prefix"; \
  HWND window = *started_##window

// Text the test puts into the program's edit control: Japanese, an emoji and Korean (outside code
// page 932), and line ends.
const std::wstring kTypedText = L"\u691C\u7D22\u3059\u308B\u8A00\u8449 \U0001F600\r\n\uD55C\uAD6D\uC5B4 line two\r\nthree";

// The lower box (the edit's reader) and the upper box (the text at the point: the accessible value,
// which Wine gives for an edit but not for a rich edit, else WM_GETTEXT).
TEST_F(ForeignProgramTest, EditsOfNotepadAndWordpadGiveTheTextPutIntoThem) {
  const struct {
    std::wstring program, mainClass, editClass;
  } cases[] = {
      {WindowsFolder() + L"\\notepad.exe", L"Notepad", L"Edit"},
      {ProgramFilesFolder() + L"\\Windows NT\\Accessories\\wordpad.exe", L"WORDPADTOP", L"RichEdit20W"},
  };
  for (const auto& c : cases) {
    START_OR_SKIP(main, c.program, c.mainClass);
    HWND edit = Descendant(main, c.editClass);
    guidriver::SetText(edit, kTypedText);
    const glimmet::ReadResult read = Read(edit);
    EXPECT_EQ(Utf8(read.text), Utf8(kTypedText)) << Utf8(c.program);
    EXPECT_EQ(read.methodLabel, L"WM_GETTEXT") << Utf8(c.program);

    const glimmet::ReadResult atPoint = glimmet::capture::TextAtPoint(context_, settings_.pointX, settings_.pointY, false);
    ASSERT_EQ(::WindowFromPoint(POINT{settings_.pointX, settings_.pointY}), edit) << Utf8(c.program);
    EXPECT_EQ(Utf8(atPoint.text), Utf8(kTypedText)) << Utf8(c.program);
    EXPECT_TRUE(atPoint.methodLabel == L"Accessible" || atPoint.methodLabel == L"WM_GETTEXT") << Utf8(atPoint.methodLabel);
  }
}

// The accessibility server names an edit by the label before it (as Windows does), so the dialog's
// text holds the label, not what was typed; the buttons are named by their captions.
TEST_F(ForeignProgramTest, NotepadFindDialogGivesItsTitleThenItsChildren) {
  START_OR_SKIP(main, WindowsFolder() + L"\\notepad.exe", L"Notepad");
  constexpr int kSearchCommand = 0x120;  // notepad's Search > Find
  guidriver::PostCommand(main, kSearchCommand);
  HWND find = guidriver::WaitForTopLevelWindow({.processId = process_->Id(), .className = L"#32770"});

  const glimmet::ReadResult read = Read(find);
  const std::vector<std::wstring> lines = SplitLines(read.text);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(Utf8(lines.front()), Utf8(guidriver::WindowText(find)));
  const std::vector<HWND> buttons = Descendants(find, L"Button");
  ASSERT_FALSE(buttons.empty());
  for (HWND button : buttons) {
    std::wstring caption = guidriver::WindowText(button);
    caption.erase(std::remove(caption.begin(), caption.end(), L'&'), caption.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), caption), lines.end()) << Utf8(caption) << " in\n" << Utf8(read.text);
  }
  EXPECT_EQ(read.methodLabel, L"Accessible");
}

// Where an item lies on screen (TVM_GETITEMRECT through the driver's remote block).
RECT TreeItemRect(HWND tree, DWORD processId, LRESULT item) {
  guidriver::RemoteBuffer block(processId, sizeof(RECT));
  block.Write(&item, sizeof(item));  // the message takes the item in the rectangle it fills
  guidriver::Send(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(block.Address()));
  RECT rect = block.ReadAs<RECT>();
  ::MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(ForeignProgramTest, RegeditTreeGivesTheRegistryRootsOrThePointedBranch) {
  START_OR_SKIP(main, WindowsFolder() + L"\\regedit.exe", L"RegEdit_RegEdit");
  HWND tree = Descendant(main, L"SysTreeView32");
  const std::vector<std::wstring> roots{L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS",
                                        L"HKEY_CURRENT_CONFIG"};
  RECT treeRect{};
  ::GetWindowRect(tree, &treeRect);
  // The roots are collapsed: pointing at one gives that one alone.
  const auto root = guidriver::Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  const auto currentUser = guidriver::Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, guidriver::Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, root));
  const RECT itemRect = TreeItemRect(tree, process_->Id(), currentUser);

  std::vector<std::wstring> indentedRoots;
  for (const std::wstring& name : roots) indentedRoots.push_back(L"\t" + name);
  const struct {
    POINT point;
    std::size_t from;                  // lines before the compared ones: not indented
    std::vector<std::wstring> lines;   // the compared lines
    bool alone;                        // no line after them
  } cases[] = {
      // Below the items: the whole tree, the roots indented once below the computer.
      {{treeRect.left + 4, treeRect.bottom - 4}, 1, indentedRoots, false},
      // On a collapsed root: that root alone.
      {{(itemRect.left + itemRect.right) / 2, (itemRect.top + itemRect.bottom) / 2}, 0, {roots[1]}, true},
  };
  for (const auto& c : cases) {
    const glimmet::ReadResult read = ReadAt(tree, c.point.x, c.point.y);
    const std::vector<std::wstring> lines = SplitLines(read.text);
    ASSERT_GE(lines.size(), c.from + c.lines.size()) << Utf8(read.text);
    for (std::size_t i = 0; i < c.from; ++i) EXPECT_TRUE(!lines[i].empty() && lines[i][0] != L'\t') << Utf8(read.text);
    EXPECT_EQ(std::vector<std::wstring>(lines.begin() + c.from, lines.begin() + c.from + c.lines.size()), c.lines)
        << Utf8(read.text);
    if (c.alone) EXPECT_EQ(lines.size(), c.from + c.lines.size()) << Utf8(read.text);
    EXPECT_EQ(read.methodLabel, L"TVM_GETITEMW");  // Wine's accessibility gives no tree items
  }
}

TEST_F(ForeignProgramTest, RegeditListViewShowsAValueTheTestWrote) {
  const std::wstring name = L"GlimmetForeignRead";
  const std::wstring data = L"\u5024\u306E\u30C6\u30AD\u30B9\u30C8 \U0001F600 \uD55C\uAD6D\uC5B4";
  ASSERT_EQ(::RegSetValueExW(HKEY_CURRENT_USER, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                             static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  struct ValueCleanup {
    const std::wstring& name;
    ~ValueCleanup() { ::RegDeleteValueW(HKEY_CURRENT_USER, name.c_str()); }
  } cleanup{name};

  START_OR_SKIP(main, WindowsFolder() + L"\\regedit.exe", L"RegEdit_RegEdit");
  HWND tree = Descendant(main, L"SysTreeView32");
  HWND list = Descendant(main, L"SysListView32");
  HWND status = Descendant(main, L"msctls_statusbar32");
  // The second root below the tree's root is HKEY_CURRENT_USER; selecting it makes regedit list
  // its values, and the status bar shows the key's path.
  const auto root = guidriver::Send(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  const auto first = guidriver::Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, root);
  const auto second = guidriver::Send(tree, TVM_GETNEXTITEM, TVGN_NEXT, first);
  guidriver::Send(tree, TVM_SELECTITEM, TVGN_CARET, second);
  ASSERT_TRUE(guidriver::WaitUntil(
      [&] {
        const std::wstring path = guidriver::WindowText(status);
        return path.size() >= 17 && path.substr(path.size() - 17) == L"HKEY_CURRENT_USER";
      },
      "regedit shows HKEY_CURRENT_USER", [&] { return Utf8(guidriver::WindowText(status)); }));
  guidriver::RemoteListView remote(list);
  ASSERT_TRUE(guidriver::WaitUntil(
      [&] {
        for (const auto& row : remote.AllRows()) {
          if (!row.empty() && row[0] == name) return true;
        }
        return false;
      },
      "regedit lists the value"));

  const glimmet::ReadResult read = Read(list);
  EXPECT_EQ(read.methodLabel, L"LVM_GETITEMW");
  std::vector<std::vector<std::wstring>> rows;
  for (const std::wstring& line : SplitLines(read.text)) rows.push_back(SplitCells(line));
  EXPECT_EQ(rows, remote.AllRows()) << Utf8(read.text);
  bool found = false;
  for (const auto& row : rows) {
    if (row.size() == 3 && row[0] == name) {
      found = true;
      EXPECT_EQ(Utf8(row[1]), "REG_SZ");
      EXPECT_EQ(Utf8(row[2]), Utf8(data));
    }
  }
  EXPECT_TRUE(found) << Utf8(read.text);
}

TEST_F(ForeignProgramTest, TaskManagerTabsAndItsProcessListWithThisProcess) {
  START_OR_SKIP(main, WindowsFolder() + L"\\system32\\taskmgr.exe", L"#32770");
  HWND tab = Descendant(main, L"SysTabControl32");
  const glimmet::ReadResult tabs = Read(tab);
  std::wstring expected;
  for (const std::wstring& text : TabTexts(tab, process_->Id())) expected += text + L"\r\n";
  EXPECT_EQ(Utf8(tabs.text), Utf8(expected));
  EXPECT_EQ(tabs.methodLabel, L"TCM_GETITEM");
  EXPECT_EQ(progress_, std::to_wstring(SplitLines(expected).size()) + L"/-");

  ClickTab(tab, process_->Id(), 1);  // the processes
  constexpr int kProcessList = 1018;
  HWND list = nullptr;
  ASSERT_TRUE(guidriver::WaitUntil(
      [&] {
        for (HWND candidate : Descendants(main, L"SysListView32")) {
          if (::GetDlgCtrlID(candidate) == kProcessList) list = candidate;
        }
        return list && guidriver::RemoteListView(list).RowCount() > 0;
      },
      "the process list shows"));
  const glimmet::ReadResult read = Read(list);
  EXPECT_EQ(read.methodLabel, L"LVM_GETITEMW");
  // This test's own row: its image name and its process id, as the system knows them.
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring image = std::wstring(self).substr(std::wstring(self).find_last_of(L"\\/") + 1);
  bool found = false;
  for (const std::wstring& line : SplitLines(read.text)) {
    const std::vector<std::wstring> cells = SplitCells(line);
    if (!cells.empty() && _wcsicmp(cells[0].c_str(), image.c_str()) == 0) {
      found = std::find(cells.begin(), cells.end(), std::to_wstring(::GetCurrentProcessId())) != cells.end();
    }
  }
  EXPECT_TRUE(found) << Utf8(read.text);
}

TEST_F(ForeignProgramTest, WinefileDriveBarGivesTheSystemsDrives) {
  START_OR_SKIP(main, WindowsFolder() + L"\\system32\\winefile.exe", L"WFS_Frame");
  constexpr int kDriveBar = 258;
  HWND driveBar = DescendantWithId(main, L"ToolbarWindow32", kDriveBar);
  const glimmet::ReadResult read = Read(driveBar);
  const std::vector<std::wstring> lines = SplitLines(read.text);
  // The buttons end with one per drive, named as GetLogicalDriveStrings names them.
  std::vector<std::wstring> drives;
  wchar_t buffer[512] = {};
  ::GetLogicalDriveStringsW(512, buffer);
  for (const wchar_t* drive = buffer; *drive; drive += wcslen(drive) + 1) drives.emplace_back(drive);
  ASSERT_GE(lines.size(), drives.size()) << Utf8(read.text);
  EXPECT_EQ(std::vector<std::wstring>(lines.end() - drives.size(), lines.end()), drives) << Utf8(read.text);
  EXPECT_EQ(read.methodLabel, L"TB_GETBUTTON");
}

// The open dialog of notepad lists the files of its folder: the test's own files, with names
// outside code page 932, in the shell's list view.
TEST_F(ForeignProgramTest, OpenDialogOfNotepadListsTheFilesOfItsFolder) {
  guidriver::TempFolder folder;
  const std::vector<std::wstring> files{L"\u65E5\u672C\u8A9E.txt", L"\uD55C\uAD6D\uC5B4 \U0001F600.txt", L"plain.txt"};
  for (const std::wstring& file : files) guidriver::WriteFileBytes(folder.File(file), "text");
  struct EndBeforeTheFolder {
    std::optional<guidriver::Process>& process;
    ~EndBeforeTheFolder() { process.reset(); }
  } end{process_};

  START_OR_SKIP(main, WindowsFolder() + L"\\notepad.exe", L"Notepad", folder.Path());
  constexpr int kOpenCommand = 0x101;  // notepad's File > Open
  guidriver::PostCommand(main, kOpenCommand);
  HWND dialog = guidriver::WaitForTopLevelWindow({.processId = process_->Id(), .className = L"#32770"});
  HWND list = nullptr;
  ASSERT_TRUE(guidriver::WaitUntil(
      [&] {
        const std::vector<HWND> lists = Descendants(dialog, L"SysListView32");
        list = lists.empty() ? nullptr : lists.front();
        return list && guidriver::RemoteListView(list).RowCount() >= static_cast<int>(files.size());
      },
      "the dialog lists the folder"));

  const glimmet::ReadResult read = Read(list);
  EXPECT_EQ(read.methodLabel, L"LVM_GETITEMW");
  std::vector<std::vector<std::wstring>> rows;
  std::vector<std::wstring> names;
  for (const std::wstring& line : SplitLines(read.text)) {
    rows.push_back(SplitCells(line));
    names.push_back(rows.back().front());
  }
  EXPECT_EQ(rows, guidriver::RemoteListView(list).AllRows()) << Utf8(read.text);
  for (const std::wstring& file : files) {
    EXPECT_NE(std::find(names.begin(), names.end(), file), names.end()) << Utf8(file) << " in\n" << Utf8(read.text);
  }
}

std::wstring Decimal(HWND window) { return std::to_wstring(reinterpret_cast<std::uintptr_t>(window)); }

std::wstring ReportOf(HWND window) {
  return glimmet::reports::BuildWindowReport(window, glimmet::platform::ClassNameOf(window),
                                             glimmet::platform::WindowTextOf(window), false);
}

// The parent chain of a control three levels down, and the child table of a window whose tab
// pages hide all but one page.
TEST_F(ForeignProgramTest, WindowReportsOfRegeditsHeaderAndTheTaskManager) {
  {
    START_OR_SKIP(main, WindowsFolder() + L"\\regedit.exe", L"RegEdit_RegEdit");
    HWND frame = Descendant(main, L"REGEDIT");
    HWND list = Descendant(frame, L"SysListView32");
    const std::wstring report = ReportOf(Descendant(list, L"SysHeader32"));
    const std::wstring chain = L"top \u2192 bottom\r\n " + Decimal(main) + L" RegEdit_RegEdit (";
    const std::size_t at = report.find(chain);
    ASSERT_NE(at, std::wstring::npos) << Utf8(report);
    const std::size_t frameLine = report.find(L"\r\n " + Decimal(frame) + L" REGEDIT (", at);
    const std::size_t listLine = report.find(L"\r\n " + Decimal(list) + L" SysListView32 (", at);
    EXPECT_TRUE(frameLine != std::wstring::npos && listLine != std::wstring::npos && frameLine < listLine)
        << Utf8(report);
  }
  START_OR_SKIP(main, WindowsFolder() + L"\\system32\\taskmgr.exe", L"#32770");
  const std::wstring report = ReportOf(main);
  const auto row = [&](HWND window) {
    std::wstring handle = Decimal(window);
    handle.insert(0, handle.size() < 8 ? 8 - handle.size() : 0, L' ');
    return report.find(L"\r\n" + handle + L" SysListView32");
  };
  constexpr int kApplicationList = 1016, kProcessList = 1018;
  HWND applications = DescendantWithId(main, L"SysListView32", kApplicationList);
  HWND processes = nullptr;
  ::EnumChildWindows(
      main,
      [](HWND child, LPARAM found) -> BOOL {
        if (::GetDlgCtrlID(child) == kProcessList) *reinterpret_cast<HWND*>(found) = child;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&processes));
  ASSERT_TRUE(processes && !::IsWindowVisible(processes));  // its page is not the one shown
  EXPECT_NE(row(applications), std::wstring::npos) << Utf8(report);
  EXPECT_EQ(row(processes), std::wstring::npos) << Utf8(report);
}

// Owner-drawn lists without the has-strings style keep no texts: their text messages answer with
// the item data, which must not come out as characters. An extended combo box keeps the texts its
// inner combo and its drop list draw.
TEST_F(ForeignProgramTest, OwnerDrawnListsGiveNoMadeUpCharacters) {
  {
    START_OR_SKIP(main, WindowsFolder() + L"\\system32\\winefile.exe", L"WFS_Frame");
    // The folder window (a tree and the files of a folder) comes after the main window.
    std::vector<HWND> fileLists;
    ASSERT_TRUE(guidriver::WaitUntil(
        [&] {
          fileLists = Descendants(main, L"ListBox");
          return !fileLists.empty() && std::all_of(fileLists.begin(), fileLists.end(), [](HWND list) {
            return guidriver::Send(list, LB_GETCOUNT) > 0;
          });
        },
        "winefile lists a folder"));
    for (HWND list : fileLists) {
      const glimmet::ReadResult read = Read(list);
      EXPECT_EQ(Utf8(read.text), "");
      EXPECT_EQ(read.methodLabel, L"LB_GETTEXT");
    }
  }
  START_OR_SKIP(main, ProgramFilesFolder() + L"\\Windows NT\\Accessories\\wordpad.exe", L"WORDPADTOP");
  for (HWND extended : Descendants(main, L"ComboBoxEx32")) {
    const std::vector<std::wstring> items = guidriver::ComboItems(extended);
    ASSERT_FALSE(items.empty());
    std::wstring expected;
    for (const std::wstring& item : items) expected += item + L"\r\n";
    guidriver::Send(extended, CB_SHOWDROPDOWN, TRUE);
    HWND dropList = guidriver::WaitForTopLevelWindow({.processId = process_->Id(), .className = L"ComboLBox"});
    for (HWND pointed : {extended, Descendant(extended, L"ComboBox"), dropList}) {
      const glimmet::ReadResult read = Read(pointed);
      EXPECT_EQ(Utf8(read.text), Utf8(expected)) << Utf8(guidriver::ClassName(pointed));
      EXPECT_EQ(read.methodLabel, L"CB_GETLBTEXT");
    }
    guidriver::Send(extended, CB_SHOWDROPDOWN, FALSE);
    ASSERT_TRUE(guidriver::WaitUntil([&] { return !::IsWindowVisible(dropList); }, "the drop list closes"));
  }
}

}  // namespace
