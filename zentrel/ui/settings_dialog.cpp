#include "settings_dialog.h"

#include <commdlg.h>

#include <vector>

#include "all_files_filter.h"
#include "message_boxes.h"
#include "resource.h"
#include "settings_dialog_ids.h"
#include "win_controls.h"
#include "zentrel/core/name_filter.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel::ui {
namespace {

constexpr int kEditTextLimit = 2048;        // characters, terminator included
constexpr int kIgnoreEntryMaxLength = 255;  // characters of one ignore-list entry
constexpr int kApplicationPathBuffer = 1024;

// The log switches act only on exactly 1 (anything else is off for the writer and the drop), the
// others on any non-zero value; a box shows what its setting actually does, so OK keeps it.
enum class OnWhen { ExactlyOne, NonZero };

struct CheckBoxSetting {
  int id;
  setting::Int setting;
  OnWhen rule;
};

// In the order OK writes them.
constexpr CheckBoxSetting kCheckBoxes[] = {
    {IDC_BOM8_CHECK, setting::kBom8, OnWhen::NonZero},
    {IDC_BOM16_CHECK, setting::kBom16Shown, OnWhen::NonZero},
    {IDC_CP932_CHECK, setting::kCp932, OnWhen::NonZero},
    {IDC_LOGHEADER_CHECK, setting::kLogHeader, OnWhen::ExactlyOne},
    {IDC_LOGAUTO_CHECK, setting::kLogAuto, OnWhen::ExactlyOne},
    {IDC_LOGDATE_CHECK, setting::kLogDate, OnWhen::ExactlyOne},
};

// MSXML drops blanks at both ends of a value when the file is read again, so such a delimiter
// would silently shrink (a lone blank to nothing) at the next start.
bool HasBlankEnds(const std::wstring& text) {
  constexpr wchar_t kBlanks[] = L" \t\r\n";
  return !text.empty() && (std::wstring_view(kBlanks).find(text.front()) != std::wstring_view::npos ||
                           std::wstring_view(kBlanks).find(text.back()) != std::wstring_view::npos);
}

std::wstring Widen(const char* text) {
  std::wstring wide;
  for (; *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

}  // namespace

void SettingsDialog::Run(HWND owner) {
  DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_SETTINGS), owner, DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK SettingsDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    reinterpret_cast<SettingsDialog*>(lParam)->dialog_ = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  }
  if (auto* self = reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)))
    self->Handle(message, wParam);
  return FALSE;
}

void SettingsDialog::Handle(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(); break;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); break;
    case WM_CLOSE: OnClose(); break;
  }
}

void SettingsDialog::OnInitDialog() {
  opened_ = settings_.TakeSnapshot();
  SendDlgItemMessageW(dialog_, IDC_IGNORE_EDIT, EM_LIMITTEXT, kIgnoreEntryMaxLength, 0);
  FillDoubleClick();
  FillDelimiter();
  FillReadSize();
  FillFilter();
  FillTexts();
  FillCheckBoxes();
  UpdateLogDateEnabled();
  FillIgnoreList();
}

void SettingsDialog::FillDoubleClick() {
  switch (settings_.GetSetting(setting::kDoubleClick)) {
    case 0: Check(IDC_DCLICK_REMOVE); break;
    case 1: Check(IDC_DCLICK_OPEN_DEFAULT); break;
    case 2: Check(IDC_DCLICK_OPEN_APP); return;
    default: return;  // no choice shown; the application box stays usable
  }
  Enable(IDC_OPENAPP_EDIT, false);
  Enable(IDC_OPENAPP_CHOOSE, false);
}

void SettingsDialog::FillDelimiter() {
  switch (settings_.GetSetting(setting::kDelimType)) {
    case 0: Check(IDC_DELIM_TAB); Enable(IDC_DELIMCHAR_EDIT, false); break;
    case 1: Check(IDC_DELIM_OTHER); Enable(IDC_DELIMCHAR_EDIT, true); break;
    default: break;
  }
}

void SettingsDialog::FillReadSize() {
  if (settings_.GetSetting(setting::kReadSizeChoice) != 0) {
    Check(IDC_READ_HEAD);
  } else {
    Check(IDC_READ_WHOLE);
    Enable(IDC_READSIZE_EDIT, false);
  }
}

void SettingsDialog::FillFilter() {
  Check(settings_.GetSetting(setting::kCheckType) != 0 ? IDC_CHECK_ONLY_MATCHING : IDC_CHECK_SKIP_MATCHING);
  const bool regex = settings_.GetSetting(setting::kStringType) != 0;
  Check(regex ? IDC_PATTERN_REGEX : IDC_PATTERN_END_STRING);
  Enable(IDC_USEFULLPATH_CHECK, regex);
}

void SettingsDialog::FillTexts() {
  SetDlgItemTextW(dialog_, IDC_OPENAPP_EDIT, settings_.GetSetting(setting::kOpenAppShown).c_str());
  SetDlgItemTextW(dialog_, IDC_READSIZE_EDIT, settings_.GetSetting(setting::kReadSizeShown).c_str());
  SetDlgItemTextW(dialog_, IDC_DELIMCHAR_EDIT, settings_.GetSetting(setting::kDelimChar).c_str());
}

void SettingsDialog::FillCheckBoxes() {
  for (const CheckBoxSetting& box : kCheckBoxes) {
    const int value = settings_.GetSetting(box.setting);
    const bool on = box.rule == OnWhen::ExactlyOne ? value == 1 : value != 0;
    CheckDlgButton(dialog_, box.id, on ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(dialog_, IDC_USEFULLPATH_CHECK,
                 settings_.GetSetting(setting::kUseFullPath) != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void SettingsDialog::FillIgnoreList() {
  for (const std::wstring& entry : settings_.ReadIgnoreList()) {
    SendDlgItemMessageW(dialog_, IDC_IGNORE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
}

void SettingsDialog::OnCommand(int id) {
  switch (id) {
    case IDOK: OnOk(); break;
    case IDCANCEL: SendMessageW(dialog_, WM_CLOSE, 0, 0); break;
    case IDC_IGNORE_ADD: OnAddEntry(); break;
    case IDC_IGNORE_DEL: OnDeleteEntry(); break;
    case IDC_DCLICK_REMOVE:
    case IDC_DCLICK_OPEN_DEFAULT:
      Enable(IDC_OPENAPP_EDIT, false);
      Enable(IDC_OPENAPP_CHOOSE, false);
      break;
    case IDC_DCLICK_OPEN_APP:
      Enable(IDC_OPENAPP_EDIT, true);
      Enable(IDC_OPENAPP_CHOOSE, true);
      break;
    case IDC_OPENAPP_CHOOSE: OnChooseApplication(); break;
    case IDC_READ_WHOLE: Enable(IDC_READSIZE_EDIT, false); break;
    case IDC_READ_HEAD: Enable(IDC_READSIZE_EDIT, true); break;
    case IDC_LOGAUTO_CHECK: UpdateLogDateEnabled(); break;
    case IDC_DELIM_TAB: Enable(IDC_DELIMCHAR_EDIT, false); break;
    case IDC_DELIM_OTHER: Enable(IDC_DELIMCHAR_EDIT, true); break;
    case IDC_PATTERN_END_STRING: Enable(IDC_USEFULLPATH_CHECK, false); break;
    case IDC_PATTERN_REGEX: Enable(IDC_USEFULLPATH_CHECK, true); break;
    default: break;
  }
}

void SettingsDialog::OnOk() {
  // Checked before anything is written, so the user can fix the text and press OK again.
  if (IsChecked(IDC_DELIM_OTHER) && HasBlankEnds(EditText(IDC_DELIMCHAR_EDIT))) {
    ShowInfoBox(LoadResourceString(instance_, IDS_DELIMITER_BLANKS));
    return;
  }
  try {
    halfWritten_ = true;
    WriteSettings();
    halfWritten_ = false;
  } catch (const SettingsError& error) {
    // The dialog stays open with the user's choices, so they can be corrected, tried again or
    // given up with Cancel.
    ShowErrorBox(LoadResourceString(instance_, IDS_SETTINGS_SAVE_FAILED) + settings_.Path() + L"\n" +
                 Widen(error.what()));
    return;
  }
  SendMessageW(dialog_, WM_CLOSE, 0, 0);
}

void SettingsDialog::OnClose() {
  // Closing without a successful OK: what a failed OK wrote must not live on in the document,
  // where the next drop would read it and the exit would save it.
  if (halfWritten_) {
    try {
      settings_.Restore(opened_);
    } catch (const SettingsError&) {
      // Nothing better is left: the document keeps what the failed OK wrote.
    }
  }
  EndDialog(dialog_, 1);
}

void SettingsDialog::WriteSettings() {
  if (IsChecked(IDC_DCLICK_REMOVE)) {
    settings_.SetSettingInt(setting::kDoubleClick.key, 0);
  } else if (IsChecked(IDC_DCLICK_OPEN_DEFAULT)) {
    settings_.SetSettingInt(setting::kDoubleClick.key, 1);
  } else if (IsChecked(IDC_DCLICK_OPEN_APP)) {
    settings_.SetSettingString(setting::kOpenApp.key, EditText(IDC_OPENAPP_EDIT));
    settings_.SetSettingInt(setting::kDoubleClick.key, 2);
  }

  if (IsChecked(IDC_READ_WHOLE)) {
    settings_.SetSettingInt(setting::kReadSize.key, 0);
  } else if (IsChecked(IDC_READ_HEAD)) {
    settings_.SetSettingString(setting::kReadSize.key, EditText(IDC_READSIZE_EDIT));
  }

  if (IsChecked(IDC_DELIM_TAB)) {
    settings_.SetSettingInt(setting::kDelimType.key, 0);
  } else if (IsChecked(IDC_DELIM_OTHER)) {
    settings_.SetSettingInt(setting::kDelimType.key, 1);
    settings_.SetSettingString(setting::kDelimChar.key, EditText(IDC_DELIMCHAR_EDIT));
  }

  if (IsChecked(IDC_CHECK_SKIP_MATCHING)) {
    settings_.SetSettingInt(setting::kCheckType.key, 0);
  } else if (IsChecked(IDC_CHECK_ONLY_MATCHING)) {
    settings_.SetSettingInt(setting::kCheckType.key, 1);
  }

  if (IsChecked(IDC_PATTERN_END_STRING)) {
    settings_.SetSettingInt(setting::kStringType.key, 0);
    settings_.SetSettingInt(setting::kUseFullPath.key, 0);
  } else if (IsChecked(IDC_PATTERN_REGEX)) {
    settings_.SetSettingInt(setting::kStringType.key, 1);
    settings_.SetSettingInt(setting::kUseFullPath.key, IsChecked(IDC_USEFULLPATH_CHECK) ? 1 : 0);
  }

  for (const CheckBoxSetting& box : kCheckBoxes) settings_.SetSettingInt(box.setting.key, IsChecked(box.id) ? 1 : 0);

  WriteIgnoreList();
  settings_.SaveSettings();
}

void SettingsDialog::WriteIgnoreList() {
  HWND list = GetDlgItem(dialog_, IDC_IGNORE_LIST);
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::vector<std::wstring> entries;
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length == LB_ERR) continue;
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    entries.push_back(std::move(entry));
  }
  settings_.WriteIgnoreList(entries);
}

void SettingsDialog::OnAddEntry() {
  const std::wstring entry = DialogItemText(dialog_, IDC_IGNORE_EDIT, kIgnoreEntryMaxLength + 1);
  // A pattern that does not compile would never match anything, silently; say so instead. End
  // strings are patterns too (not escaped, "$" appended), so both kinds are checked. The text
  // stays in the box to be corrected.
  if (!PatternCache().Compiled(EntryPattern(entry, IsChecked(IDC_PATTERN_REGEX)))) {
    ShowInfoBox(LoadResourceString(instance_, IDS_PATTERN_INVALID) + entry);
    return;
  }
  SendDlgItemMessageW(dialog_, IDC_IGNORE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SetDlgItemTextW(dialog_, IDC_IGNORE_EDIT, L"");
}

void SettingsDialog::OnDeleteEntry() {
  HWND list = GetDlgItem(dialog_, IDC_IGNORE_LIST);
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  // The entry before the deleted one; none when the first was deleted.
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected - 1), 0);
}

void SettingsDialog::OnChooseApplication() {
  const std::wstring filter = AllFilesFilter(instance_);
  std::vector<wchar_t> file(kApplicationPathBuffer, L'\0');
  OPENFILENAMEW chooser{};
  chooser.lStructSize = sizeof chooser;
  chooser.hwndOwner = dialog_;
  chooser.lpstrFilter = filter.c_str();
  chooser.nFilterIndex = 1;
  chooser.lpstrFile = file.data();
  chooser.nMaxFile = kApplicationPathBuffer;
  chooser.Flags = OFN_FILEMUSTEXIST;
  if (GetOpenFileNameW(&chooser)) SetDlgItemTextW(dialog_, IDC_OPENAPP_EDIT, file.data());
}

bool SettingsDialog::IsChecked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

void SettingsDialog::Check(int id) { CheckDlgButton(dialog_, id, BST_CHECKED); }

void SettingsDialog::Enable(int id, bool enable) { EnableDialogItem(dialog_, id, enable); }

std::wstring SettingsDialog::EditText(int id) const { return DialogItemText(dialog_, id, kEditTextLimit); }

void SettingsDialog::UpdateLogDateEnabled() { Enable(IDC_LOGDATE_CHECK, IsChecked(IDC_LOGAUTO_CHECK)); }

}  // namespace zentrel::ui
