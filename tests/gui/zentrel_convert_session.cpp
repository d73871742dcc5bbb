#include "zentrel_convert_session.h"

#include <algorithm>
#include <functional>

using namespace guidriver;

namespace zentrel_ui {

void CopyTree(const std::wstring& from, const std::wstring& to) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) throw DriverError("cannot list " + Utf8(from));
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + L"\\" + name, to + L"\\" + name);
    } else if (!CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE)) {
      FindClose(find);
      ThrowLastError("CopyFileW " + Utf8(name));
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
}

std::vector<std::wstring> FilesBelow(const std::wstring& root) {
  std::vector<std::wstring> files;
  std::function<void(const std::wstring&)> walk = [&](const std::wstring& relative) {
    WIN32_FIND_DATAW entry;
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = relative.empty() ? name : relative + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) walk(child); else files.push_back(child);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  };
  walk(L"");
  std::sort(files.begin(), files.end());
  return files;
}

std::wstring ConvertFixtures() { return ProgramBesideTest(L"convert_fixtures"); }

void ZentrelConvertTest::Drop(const std::vector<std::wstring>& paths, int rows) {
  // The title says "done" after every drop: clear it first so this drop's end can be seen.
  Send(main_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"waiting"));
  PostDrop(Item(kResultList), paths);
  ASSERT_TRUE(WaitForText(main_, kTitleDone));
  RemoteListView list(Item(kResultList));
  ASSERT_TRUE(WaitUntil([&] { return list.RowCount() == rows; }, "the dropped rows",
                        [&] { return std::to_string(list.RowCount()) + " rows"; }));
}

HWND ZentrelConvertTest::StartConvert(int target, int lineEnding, const std::wstring& outputFolder) {
  if (target >= 0) SelectComboItem(Item(kEncodingCombo), target);
  if (lineEnding >= 0) SelectComboItem(Item(kEolCombo), lineEnding);
  if (outputFolder.empty()) {
    ClickButton(Item(kReplaceRadio));
  } else {
    ClickButton(Item(kFolderRadio));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Item(kOutputEdit)); }, "the output folder box enabled"));
    SetText(Item(kOutputEdit), outputFolder);
  }
  Send(main_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"converting"));
  ClickButton(Item(kConvert));
  return WaitForDialog(kProgressCaption, process_->Id());
}

void ZentrelConvertTest::WaitForJobEnd(HWND progress) {
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(Control(progress, IDOK)); }, "the job's end (OK enabled)",
                        [&] { return Utf8(WindowText(Control(progress, kProgressFileLabel))); },
                        Milliseconds(60000)));
  EXPECT_FALSE(IsEnabled(Control(progress, IDCANCEL)));
}

void ZentrelConvertTest::CloseProgress(HWND progress) {
  ClickButton(Control(progress, IDOK));
  ASSERT_TRUE(WaitUntilGone(progress));
  ASSERT_TRUE(WaitForText(main_, kTitleDone));
}

Rows ZentrelConvertTest::Convert(int target, int lineEnding, const std::wstring& outputFolder) {
  HWND progress = StartConvert(target, lineEnding, outputFolder);
  WaitForJobEnd(progress);
  Rows status = RemoteListView(Control(progress, kProgressStatusList)).AllRows();
  CloseProgress(progress);
  return status;
}

}  // namespace zentrel_ui
