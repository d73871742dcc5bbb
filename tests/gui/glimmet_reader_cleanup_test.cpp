// Reads of other processes leave nothing behind: no block in the target, no handle in the reader.
#include "glimmet_target_session.h"

#include "glimmet/platform/window_text.h"
#include "glimmet/reports/window_report.h"

#include <cwchar>
#include <vector>

using namespace glimmet_target;
using guidriver::Utf8;

namespace {

// Committed private regions of a process: every block a reader allocates there is one.
int PrivateRegions(HANDLE process) {
  int regions = 0;
  MEMORY_BASIC_INFORMATION info{};
  for (const char* address = nullptr;
       ::VirtualQueryEx(process, address, &info, sizeof(info)) == sizeof(info);
       address = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) ++regions;
  }
  return regions;
}

// The handles this process holds, from the system's handle table (GetProcessHandleCount answers 0
// under Wine).
DWORD OwnHandles() {
  struct Entry {
    ULONG processId;
    UCHAR type, flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
  };
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  constexpr ULONG kSystemHandleInformation = 16;
  std::vector<char> buffer(1 << 20);
  ULONG length = 0;
  while (query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length) != 0) {
    if (buffer.size() > (64u << 20)) return 0;
    buffer.resize(buffer.size() * 2);
  }
  const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
  const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(void*));
  DWORD own = 0;
  for (ULONG i = 0; i < count; ++i) own += entries[i].processId == ::GetCurrentProcessId();
  return own;
}

}  // namespace

TEST_F(GlimmetTargetTest, HundredReadsLeaveNoBlockAndNoHandle) {
  const int kinds[] = {kListView, kToolBar, kTab, kTreeView};
  const auto readAll = [&] {
    for (int id : kinds) {
      PointAt(Item(id));
      ASSERT_FALSE(ReadPointed().text.empty()) << "control " << id;
    }
  };
  readAll();  // first use: the reader's own lazily made state
  const int regionsBefore = PrivateRegions(process_->Handle());
  const DWORD handlesBefore = OwnHandles();
  ASSERT_GT(handlesBefore, 0u);
  for (int read = 0; read < 100; ++read) readAll();
  // Four blocks a round would leave 400; a few regions of the target's own heap may come and go.
  EXPECT_LE(PrivateRegions(process_->Handle()), regionsBefore + 8);
  EXPECT_LE(OwnHandles(), handlesBefore + 8);
}

TEST_F(GlimmetTargetTest, WindowReportOfTheFixture) {
  HWND edit = Item(kEdit);
  HWND button = Item(kButton);
  const std::wstring report = glimmet::reports::BuildWindowReport(
      main_, glimmet::platform::ClassNameOf(main_), glimmet::platform::WindowTextOf(main_), true);
  const std::wstring editHandle = std::to_wstring(reinterpret_cast<std::uintptr_t>(edit));
  wchar_t hex[32];
  std::swprintf(hex, 32, L"x%llX", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(button)));
  EXPECT_NE(report.find(L"class name\u3000\u3000\uFF1AGlimmetTargetWindow\r\n"), std::wstring::npos) << Utf8(report);
  EXPECT_NE(report.find(L"title     \u3000\u3000\uFF1A" + std::wstring(kMainTitle) + L"\r\n"), std::wstring::npos);
  // A top-level window: no owner line, no parent chain.
  EXPECT_NE(report.find(L"\uFF1A\r\n\r\nparent windows\uFF1A top \u2192 bottom\r\n\r\nchild windows"),
            std::wstring::npos);
  // The button's row: hex handle right-aligned in 8, class padded to 25, its text quoted.
  std::wstring handleField = hex;
  handleField.insert(0, handleField.size() < 8 ? 8 - handleField.size() : 0, L' ');
  const std::size_t row = report.find(L"\r\n" + handleField + L" Button                    (");
  ASSERT_NE(row, std::wstring::npos) << Utf8(report);
  EXPECT_NE(report.find(L") \"" + std::wstring(kButtonText) + L"\" \r\n", row), std::wstring::npos);
  // The header of the list view without column headers is hidden: not listed.
  HWND hiddenHeader = ::GetWindow(Item(kColumnlessListView), GW_CHILD);
  ASSERT_TRUE(hiddenHeader && !::IsWindowVisible(hiddenHeader));
  std::swprintf(hex, 32, L"x%llX ", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(hiddenHeader)));
  EXPECT_EQ(report.find(hex), std::wstring::npos);

  // The report of a child names its parent chain.
  const std::wstring child = glimmet::reports::BuildWindowReport(edit, L"Edit", kEditText, false);
  EXPECT_NE(child.find(L"top \u2192 bottom\r\n " + std::to_wstring(reinterpret_cast<std::uintptr_t>(main_)) +
                       L" GlimmetTargetWindow ("),
            std::wstring::npos)
      << Utf8(child);
  EXPECT_NE(child.find(L"\uFF1A" + editHandle + L"(x"), std::wstring::npos);
}
