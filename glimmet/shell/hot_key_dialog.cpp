#include "hot_key_dialog.h"

#include "glimmet/core/key_names.h"
#include "glimmet/shell/settings_ids.h"
#include "key_filters.h"
#include "resource_text.h"
#include "text_ids.h"

namespace glimmet::shell {

void HotKeyDialog::Show(HWND owner) { ShowModal(instance_, IDD_HOTKEY, owner); }

std::optional<INT_PTR> HotKeyDialog::Handle(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      if (LOWORD(wParam) == IDOK) OnOk();
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) ::EndDialog(Dialog(), LOWORD(wParam));
      return 0;
  }
  return std::nullopt;
}

void HotKeyDialog::OnInitDialog() {
  ::SetWindowPos(Dialog(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  HWND list = ::GetDlgItem(Dialog(), IDC_HOTKEY_LIST);
  AcceptMouseOnly(list);
  // A stored name that is not in the table leaves nothing selected; an empty name is the first entry.
  const std::wstring current = HotKeyCode(std::wstring_view(settings_.hotkey)) != 0 ? settings_.hotkey : L"";
  int selected = -1;
  int index = 0;
  for (const HotKeyEntry& entry : HotKeyTable()) {
    const std::wstring name(entry.name.begin(), entry.name.end());
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (selected < 0 && name == current && (settings_.hotkey.empty() || !current.empty())) selected = index;
    ++index;
  }
  ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  ::SendDlgItemMessageW(Dialog(), IDC_HOTKEY_ENABLE_T, BM_SETCHECK, settings_.enableHotT == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  tips_.Create(instance_, Dialog());
  tips_.Add(::GetDlgItem(Dialog(), IDC_HOTKEY_ENABLE_T), ResourceText(instance_, IDS_SET_TIP_ENABLE_T));
}

void HotKeyDialog::OnOk() {
  const LRESULT selected = ::SendDlgItemMessageW(Dialog(), IDC_HOTKEY_LIST, CB_GETCURSEL, 0, 0);
  // Nothing selected (a stored name the table does not know): the hot key stays as it was.
  if (selected >= 0 && selected < static_cast<LRESULT>(HotKeyTable().size())) {
    const std::u16string_view name = HotKeyTable()[static_cast<std::size_t>(selected)].name;
    settings_.hotkey.assign(name.begin(), name.end());
  }
  settings_.enableHotT =
      ::SendDlgItemMessageW(Dialog(), IDC_HOTKEY_ENABLE_T, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

}  // namespace glimmet::shell
