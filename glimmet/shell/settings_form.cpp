#include "settings_form.h"

#include <commctrl.h>

#include <algorithm>

#include "glimmet/core/conf_file.h"
#include "glimmet/shell/settings_ids.h"
#include "hot_key_dialog.h"
#include "key_filters.h"
#include "resource_text.h"
#include "text_ids.h"

namespace glimmet::shell {
namespace {

constexpr int kPages = 4;
constexpr COLORREF kSelectedTab = RGB(0xC0, 0xFF, 0xFF);
constexpr COLORREF kOtherTab = RGB(0xE0, 0xE0, 0xE0);
// The form and its page frames, in twips.
constexpr double kFormWidth = 6250, kFormHeight = 6000;
constexpr double kFrameLeft = 120, kFrameWidth = 5900, kFrameHeight = 4500;

constexpr const wchar_t* kLevels[] = {L"From Current Level", L"From 1 level tops", L"From 2 level tops",
                                      L"From 3 level tops", L"From 4 level tops"};
constexpr const wchar_t* kChildCounts[] = {L"   0", L"   5", L"  10", L"  50", L" 100", L" 500", L"1000", L"9999"};
constexpr const wchar_t* kAutoStopTimes[] = {L"",   L" 1", L" 2", L" 3", L" 4", L" 5", L" 7",
                                             L"10", L"15", L"20", L"30", L"40", L"50", L"60"};

// A number right-aligned with blanks in at least `width` characters.
std::wstring RightAligned(int value, std::size_t width) {
  std::wstring text = std::to_wstring(value);
  if (text.size() < width) text.insert(0, width - text.size(), L' ');
  return text;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ListItemText(HWND list, int index) {
  const LRESULT length = ::SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

int PageOf(int id) {
  if (id >= IDC_SET_PAGE && id < IDC_SET_PAGE + kPages) return id - IDC_SET_PAGE;
  if (id >= IDC_SET_PAGE_FIRST && id < IDC_SET_PAGE_FIRST + 100 * kPages) return (id - IDC_SET_PAGE_FIRST) / 100;
  return -1;
}

bool InShiftFrame(int id) { return id >= IDC_SET_SHIFT_FRAME && id <= IDC_SET_SHIFT_LAST; }

// The option buttons of each array: first id, count, the setting the index goes to.
struct OptionArray {
  int firstId, count;
  int StoredSettings::*setting;
};
constexpr OptionArray kOptions[] = {
    {IDC_SET_CLIPBOARD, 4, &StoredSettings::clipboard},
    {IDC_SET_HINT, 2, &StoredSettings::hint},
    {IDC_SET_LISTVIEW, 3, &StoredSettings::listviewCol},
    {IDC_SET_ACTION, 4, &StoredSettings::actionTest},
};

struct CheckBox {
  int id;
  int StoredSettings::*setting;
};
constexpr CheckBox kChecks[] = {
    {IDC_SET_TREE_INDENT, &StoredSettings::treeviewIndent}, {IDC_SET_DISP_TEXT, &StoredSettings::dispText},
    {IDC_SET_FROM_HWND, &StoredSettings::fromHwnd},         {IDC_SET_SHIFT, &StoredSettings::shift},
    {IDC_SET_DISP_TOP, &StoredSettings::dispTop},           {IDC_SET_TO_FILE, &StoredSettings::toFile},
    {IDC_SET_AUTO_START, &StoredSettings::autoStart},       {IDC_SET_AUTO_CLOSE, &StoredSettings::autoClose},
    {IDC_SET_CHIME, &StoredSettings::chime},
};

}  // namespace

SettingsForm::SettingsForm(HINSTANCE instance, AppSettings& settings)
    : instance_(instance),
      settings_(settings),
      selectedTab_(::CreateSolidBrush(kSelectedTab)),
      otherTab_(::CreateSolidBrush(kOtherTab)) {}

void SettingsForm::Show(HWND owner) { ShowModal(instance_, IDD_SETTING, owner); }

std::optional<INT_PTR> SettingsForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
      PlaceCloseButton();
      return 0;
    case WM_CLOSE:
      // The close box leaves the stored position as it was.
      ::EndDialog(Dialog(), IDCANCEL);
      return 0;
  }
  return std::nullopt;
}

void SettingsForm::OnInitDialog() {
  const double tx = settings_.twipsPerPixelX, ty = settings_.twipsPerPixelY;
  auto px = [](double twips, double factor) { return static_cast<int>(RoundHalfEven(twips / factor)); };
  ::SetWindowPos(Dialog(), nullptr, px(settings_.settingLeft, tx), px(settings_.settingTop, ty), px(kFormWidth, tx),
                 px(kFormHeight, ty), SWP_NOZORDER | SWP_NOACTIVATE);
  RECT first;
  ::GetWindowRect(Item(IDC_SET_PAGE), &first);
  ::MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&first), 2);
  for (int page = 0; page < kPages; ++page)
    ::MoveWindow(Item(IDC_SET_PAGE + page), px(kFrameLeft, tx), first.top, px(kFrameWidth, tx), px(kFrameHeight, ty),
                 FALSE);

  FillLists();
  AcceptMouseOnly(Item(IDC_SET_CHILD_MAX));
  COMBOBOXINFO combo{sizeof(combo)};
  if (::GetComboBoxInfo(Item(IDC_SET_AUTO_STOP), &combo)) AcceptCharacters(combo.hwndItem, L"0123456789");
  for (int box : {IDC_SET_SHIFT_X, IDC_SET_SHIFT_Y}) AcceptCharacters(Item(box), L"-0123456789");
  AddTips();

  ShowPage(settings_.settingNo);
  SetChecked(IDC_SET_DISP_TEXT, settings_.dispText == 1);
  // A level beyond the list shows the last one; the setting itself keeps its value until chosen.
  ::SendMessageW(Item(IDC_SET_START_LEVEL), CB_SETCURSEL,
                 static_cast<WPARAM>(std::clamp(settings_.startNode, -1, static_cast<int>(std::size(kLevels)) - 1)), 0);
  for (const CheckBox& check : kChecks) SetChecked(check.id, settings_.*check.setting == 1);
  for (const OptionArray& options : kOptions) CheckOption(options.firstId, options.count, settings_.*options.setting);

  if (settings_.autoStopTime != 0) {
    ::SetWindowTextW(Item(IDC_SET_AUTO_STOP), RightAligned(settings_.autoStopTime, 2).c_str());
  } else {
    ::SetWindowTextW(Item(IDC_SET_AUTO_STOP), L"");
    SetChecked(IDC_SET_AUTO_CLOSE, false);
  }
  ShowShiftFrame();
  ::SetWindowTextW(Item(IDC_SET_SHIFT_X), std::to_wstring(settings_.shiftX).c_str());
  ::SetWindowTextW(Item(IDC_SET_SHIFT_Y), std::to_wstring(settings_.shiftY).c_str());
  OnAutoStopChosen();
  const LRESULT child = ::SendMessageW(Item(IDC_SET_CHILD_MAX), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(RightAligned(settings_.parentAndChildrenMax, 4).c_str()));
  ::SendMessageW(Item(IDC_SET_CHILD_MAX), CB_SETCURSEL, static_cast<WPARAM>(child), 0);
  ::SetWindowTextW(Item(IDC_SET_HOTKEY_LABEL), settings_.hotkey.c_str());
  PlaceCloseButton();
}

void SettingsForm::FillLists() {
  auto fill = [](HWND list, const auto& items) {
    for (const wchar_t* item : items) ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  };
  fill(Item(IDC_SET_START_LEVEL), kLevels);
  fill(Item(IDC_SET_CHILD_MAX), kChildCounts);
  fill(Item(IDC_SET_AUTO_STOP), kAutoStopTimes);
}

void SettingsForm::AddTips() {
  tips_.Create(instance_, Dialog());
  const std::pair<int, UINT> tips[] = {
      {IDC_SET_HINT_FRAME, IDS_SET_TIP_HINT},        {IDC_SET_LISTVIEW, IDS_SET_TIP_TAB_DELIMIT},
      {IDC_SET_LISTVIEW + 1, IDS_SET_TIP_COMMA},     {IDC_SET_LISTVIEW + 2, IDS_SET_TIP_FIRST_COLUMN},
      {IDC_SET_DISP_TEXT, IDS_SET_TIP_DISP_TEXT},    {IDC_SET_SHIFT_X, IDS_SET_TIP_SHIFT_X},
      {IDC_SET_SHIFT_Y, IDS_SET_TIP_SHIFT_Y},        {IDC_SET_AUTO_STOP_LABEL, IDS_SET_TIP_AUTO_STOP},
      {IDC_SET_SEC_LABEL, IDS_SET_TIP_SEC},          {IDC_SET_HOTKEY_BUTTON, IDS_SET_TIP_HOTKEY},
  };
  for (const auto& [id, text] : tips) tips_.Add(Item(id), ResourceText(instance_, text));
}

void SettingsForm::OnCommand(int id, int code) {
  if (id >= IDC_SET_TAB && id < IDC_SET_TAB + kPages) {
    if (code == STN_CLICKED) ShowPage(id - IDC_SET_TAB);
    return;
  }
  for (const OptionArray& options : kOptions)
    if (id >= options.firstId && id < options.firstId + options.count) {
      if (code == BN_CLICKED) settings_.*options.setting = id - options.firstId;
      return;
    }
  for (const CheckBox& check : kChecks)
    if (id == check.id) {
      if (code != BN_CLICKED) return;
      settings_.*check.setting = Checked(id) ? 1 : 0;
      if (id == IDC_SET_SHIFT) ShowShiftFrame();
      return;
    }
  // A list's selection change with no entry selected (typing that matches none can send one) is
  // no choice: only a chosen entry changes a setting.
  auto chosenEntry = [&] {
    return code == CBN_SELCHANGE ? static_cast<int>(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0)) : -1;
  };
  switch (id) {
    case IDC_SET_START_LEVEL:
      if (const int chosen = chosenEntry(); chosen >= 0) settings_.startNode = chosen;
      return;
    case IDC_SET_CHILD_MAX:
      if (const int chosen = chosenEntry(); chosen >= 0)
        if (const auto count = LeadingInteger(ListItemText(Item(id), chosen))) settings_.parentAndChildrenMax = *count;
      return;
    case IDC_SET_AUTO_STOP:
      // Chosen from the list only: digits typed into the box change nothing until one is chosen.
      if (const int chosen = chosenEntry(); chosen >= 0) {
        ::SetWindowTextW(Item(id), ListItemText(Item(id), chosen).c_str());
        OnAutoStopChosen();
      }
      return;
    case IDC_SET_SHIFT_X:
    case IDC_SET_SHIFT_Y:
      if (code == EN_KILLFOCUS) OnShiftBoxLeft();
      return;
    case IDC_SET_HOTKEY_BUTTON:
      if (code == BN_CLICKED) OnHotKeyButton();
      return;
    case IDC_SET_CLOSE:
    case IDOK:
      if (code == BN_CLICKED) OnClose();
      return;
    case IDCANCEL:
      ::EndDialog(Dialog(), IDCANCEL);
      return;
  }
}

std::optional<INT_PTR> SettingsForm::OnControlColor(HDC dc, HWND control) {
  const int id = ::GetDlgCtrlID(control);
  if (id < IDC_SET_TAB || id >= IDC_SET_TAB + kPages) return std::nullopt;
  const bool selected = id - IDC_SET_TAB == page_;
  ::SetBkColor(dc, selected ? kSelectedTab : kOtherTab);
  return reinterpret_cast<INT_PTR>((selected ? selectedTab_ : otherTab_).Get());
}

void SettingsForm::PlaceCloseButton() {
  RECT client, button;
  ::GetClientRect(Dialog(), &client);
  HWND close = Item(IDC_SET_CLOSE);
  ::GetWindowRect(close, &button);
  const int width = button.right - button.left, height = button.bottom - button.top;
  ::MoveWindow(close, client.right - 10 - width, client.bottom - 10 - height, width, height, TRUE);
}

void SettingsForm::ShowPage(int page) {
  page_ = std::clamp(page, 0, kPages - 1);
  const bool autoStopSet = settings_.autoStopTime != 0;
  for (HWND child = ::GetWindow(Dialog(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const int id = ::GetDlgCtrlID(child);
    const int owner = PageOf(id);
    if (owner < 0) continue;
    bool shown = owner == page_;
    if (InShiftFrame(id)) shown = shown && settings_.shift == 1;
    if (id == IDC_SET_AUTO_CLOSE || id == IDC_SET_CHIME) shown = shown && autoStopSet;
    ::ShowWindow(child, shown ? SW_SHOW : SW_HIDE);
  }
  for (int tab = 0; tab < kPages; ++tab) ::InvalidateRect(Item(IDC_SET_TAB + tab), nullptr, TRUE);
  settings_.settingNo = page_;
}

void SettingsForm::ShowShiftFrame() {
  const bool shown = page_ == 3 && Checked(IDC_SET_SHIFT);
  for (int id = IDC_SET_SHIFT_FRAME; id <= IDC_SET_SHIFT_LAST; ++id) ::ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}

void SettingsForm::OnAutoStopChosen() {
  settings_.autoStopTime = LeadingInteger(WindowText(Item(IDC_SET_AUTO_STOP))).value_or(settings_.autoStopTime);
  const bool shown = page_ == 3 && settings_.autoStopTime != 0;
  for (int id : {IDC_SET_AUTO_CLOSE, IDC_SET_CHIME}) ::ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}

void SettingsForm::OnShiftBoxLeft() {
  // A box left empty or holding only "-" reads as 0; a number too large for the setting keeps the old one.
  settings_.shiftX = LeadingInteger(WindowText(Item(IDC_SET_SHIFT_X))).value_or(settings_.shiftX);
  settings_.shiftY = LeadingInteger(WindowText(Item(IDC_SET_SHIFT_Y))).value_or(settings_.shiftY);
}

void SettingsForm::OnHotKeyButton() {
  HotKeyDialog(instance_, settings_).Show(Dialog());
  ::SetWindowTextW(Item(IDC_SET_HOTKEY_LABEL), settings_.hotkey.c_str());
}

void SettingsForm::OnClose() {
  RECT place;
  ::GetWindowRect(Dialog(), &place);
  settings_.settingLeft = static_cast<int>(RoundHalfEven(place.left * settings_.twipsPerPixelX));
  settings_.settingTop = static_cast<int>(RoundHalfEven(place.top * settings_.twipsPerPixelY));
  ::EndDialog(Dialog(), IDOK);
}

bool SettingsForm::Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SettingsForm::SetChecked(int id, bool checked) {
  ::SendMessageW(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SettingsForm::CheckOption(int firstId, int count, int index) {
  for (int i = 0; i < count; ++i) SetChecked(firstId + i, i == index);
}

}  // namespace glimmet::shell
