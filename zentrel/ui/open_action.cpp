#include "open_action.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "message_boxes.h"
#include "nkf32/verbatim_path.h"
#include "resource.h"
#include "win_controls.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel::ui {
namespace {

// The first cell's whole text: the buffer doubles until the text fits.
std::wstring FirstCellText(HWND list, int row) {
  std::vector<wchar_t> buffer(256);
  for (;;) {
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    auto copied = static_cast<size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (copied + 1 < buffer.size()) return std::wstring(buffer.data(), copied);
    buffer.resize(buffer.size() * 2);
  }
}

// The shell opens a file by a name shorter than MAX_PATH only; a longer path goes by the short
// (8.3) form of its folder, which names the same folder. The file keeps its name: a short name
// cuts the extension to three letters, and the shell chooses the program by the extension. Where
// that is still too long (or the volume keeps no short names), the path stays as it is.
std::wstring ShellOpenablePath(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L'\\');
  if (path.size() < MAX_PATH || slash == std::wstring::npos) return path;
  const std::wstring literal = nkf::VerbatimPath(path.substr(0, slash));
  std::wstring folder(GetShortPathNameW(literal.c_str(), nullptr, 0), L'\0');
  if (folder.empty()) return path;
  folder.resize(GetShortPathNameW(literal.c_str(), folder.data(), static_cast<DWORD>(folder.size())));
  if (folder.starts_with(L"\\\\?\\UNC\\")) folder = L"\\\\" + folder.substr(8);
  else if (folder.starts_with(L"\\\\?\\")) folder = folder.substr(4);
  const std::wstring shortened = folder + path.substr(slash);
  return shortened.size() < MAX_PATH ? shortened : path;
}

}  // namespace

void RunOpenAction(HWND list, int mode, const SettingsStore& settings) {
  const int row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (row < 0) return;
  if (mode == kOpenByDoubleClickSetting) mode = settings.GetSetting(setting::kDoubleClick);

  if (mode == kRemoveRow) {
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    return;
  }
  if (mode != kOpenWithDefault && mode != kOpenWithApplication) return;

  const std::wstring path = FirstCellText(list, row);
  const std::wstring quoted = L"\"" + path + L"\"";
  HINSTANCE result;
  if (mode == kOpenWithDefault) {
    const std::wstring openable = L"\"" + ShellOpenablePath(path) + L"\"";
    result = ShellExecuteW(nullptr, nullptr, openable.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  } else {
    std::wstring application = settings.GetSetting(setting::kOpenApp);
    if (application.empty()) application = L"notepad.exe";
    result = ShellExecuteW(nullptr, nullptr, application.c_str(), quoted.c_str(), nullptr, SW_SHOWNORMAL);
  }
  if (reinterpret_cast<INT_PTR>(result) <= 32) ShowErrorBox(LoadResourceString(GetModuleHandleW(nullptr), IDS_OPEN_FAILED) + path);
}

}  // namespace zentrel::ui
