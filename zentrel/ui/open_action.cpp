#include "open_action.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "message_boxes.h"
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
    result = ShellExecuteW(nullptr, nullptr, quoted.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  } else {
    std::wstring application = settings.GetSetting(setting::kOpenApp);
    if (application.empty()) application = L"notepad.exe";
    result = ShellExecuteW(nullptr, nullptr, application.c_str(), quoted.c_str(), nullptr, SW_SHOWNORMAL);
  }
  if (reinterpret_cast<INT_PTR>(result) <= 32) ShowErrorBox(LoadResourceString(GetModuleHandleW(nullptr), IDS_OPEN_FAILED) + path);
}

}  // namespace zentrel::ui
