#include "main_form.h"

#include <commctrl.h>
#include <windowsx.h>

#include "glimmet/shell/control_ids.h"
#include "glimmet/core/box_text.h"
#include "glimmet/core/version_text.h"
#include "glimmet/platform/dpi.h"
#include "glimmet/platform/file_io.h"
#include "glimmet/platform/shell_paths.h"
#include "settings_form.h"
#include "text_ids.h"
#include "version.h"

namespace glimmet::shell {
namespace {

constexpr wchar_t kClassName[] = L"GlimmetFromPoint";
constexpr wchar_t kReadmeFileName[] = L"readme.txt";
constexpr COLORREF kGrey = RGB(0x80, 0x80, 0x80);
constexpr COLORREF kLightBlue = RGB(0x80, 0x80, 0xFF);

}  // namespace

MainForm::MainForm(HINSTANCE instance, std::wstring commandLine, std::unique_ptr<platform::ChimePlayer> chime)
    : instance_(instance), commandLine_(std::move(commandLine)), chime_(std::move(chime)) {}

bool MainForm::Create() {
  if (!RegisterClassOnce(instance_, kClassName, ::GetSysColorBrush(COLOR_BTNFACE),
                         ::LoadIconW(instance_, MAKEINTRESOURCEW(1))))
    return false;
  // Created hidden: the settings place and show it.
  if (!CreateWithThis(instance_, 0, kClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                      CW_USEDEFAULT, 480, 400, nullptr))
    return false;
  OnLoad();
  return true;
}

int MainForm::RunMessageLoop() {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

bool MainForm::PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Left for the program's own message loop, which ends on it.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      ending_ = true;
      return false;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return !ending_;
}

std::optional<LRESULT> MainForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
      Layout();
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) OnClose();
      return 0;
    case WM_HOTKEY:
      OnHotKey(wParam);
      return 0;
    case WM_DESTROY:
      if (hotKeyId_ != 0) {
        ::UnregisterHotKey(Window(), hotKeyId_);
        ::GlobalDeleteAtom(hotKeyId_);
      }
      ::PostQuitMessage(0);
      return 0;
  }
  return std::nullopt;
}

void MainForm::OnLoad() {
  settings_.versionText = VersionText(GLIMMET_VERSION_MAJOR, GLIMMET_VERSION_MINOR, GLIMMET_VERSION_REVISION);
  ::SetWindowTextW(Window(), (L"Glimmet from point " + settings_.versionText).c_str());
  ReadTwipsFactors();
  CreateControls();
  LoadSettings();
  // Tab stops every 10 dialog units in the lower boxes, for tab-separated rows.
  const int tabStops[9] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
  for (int pair = 0; pair < 2; ++pair)
    ::SendMessageW(LowerBox(pair), EM_SETTABSTOPS, 9, reinterpret_cast<LPARAM>(tabStops));
  ApplyDisplaySettings();
  ShowStopHint(settings_.running);
  settings_.actionTestKey = 17;
  ::SetTimer(Window(), kTimerMsgLoop, 5, nullptr);
  if (settings_.autoStart == 1 && commandLine_ != L"no_start") ::SetTimer(Window(), kTimerGo, 10, nullptr);
}

void MainForm::OnClose() {
  if (settings_.running || inRun_) {
    // Ending during a run writes nothing: the run may have changed settings the user did not mean
    // to keep.
    settings_.running = false;
    ending_ = true;
  } else {
    SaveSettings();
  }
  ::DestroyWindow(Window());
}

void MainForm::OnCommand(int id, int code, HWND) {
  switch (id) {
    case ids::kGoButton:
      if (code != BN_CLICKED) return;
      if (ControlText(Item(ids::kGoButton)) == L"Go")
        StartRun();
      else
        settings_.running = false;
      return;
    case ids::kTurnBackCheck:
      if (code == BN_CLICKED) OnTurnBackClick();
      return;
    case ids::kDetailCheck:
      if (code == BN_CLICKED) OnDetailClick();
      return;
    case ids::kAutoStopCheck:
      if (code == BN_CLICKED) OnAutoStopClick();
      return;
    case ids::kMousePosLabel:
      if (code == STN_DBLCLK) OnMousePosDoubleClick();
      return;
    case ids::kMsgLabel:
      if (code == STN_DBLCLK) OnMsgDoubleClick();
      return;
    case ids::kToolLabel:
      if (code == STN_CLICKED) {
        OpenSettingsForm();
        ApplyDisplaySettings();
      }
      return;
    case ids::kHelpLabel:
    case ids::kUrlLabel:
      if (code == STN_CLICKED) OpenReadme();
      return;
  }
  if (code == EN_CHANGE && (id == ids::kUpperBox || id == ids::kUpperBox + 1 || id == ids::kLowerBox ||
                            id == ids::kLowerBox + 1))
    UpdateCharStatsTip(Item(id));
}

std::optional<LRESULT> MainForm::OnControlColor(HDC dc, HWND control) {
  const int id = ::GetDlgCtrlID(control);
  if (id != ids::kMousePosLabel && id != ids::kHandleBox) return std::nullopt;
  const std::wstring& mode = id == ids::kMousePosLabel ? settings_.mousPos : settings_.winHandle;
  const bool alternate = id == ids::kMousePosLabel ? mode == L"client" : mode == L"hex";
  ::SetTextColor(dc, alternate ? kLightBlue : kGrey);
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void MainForm::OnTimer(UINT_PTR timer) {
  switch (timer) {
    case kTimerGo:
      ::KillTimer(Window(), kTimerGo);
      StartRun();
      return;
    case kTimerEnd:
      ::KillTimer(Window(), kTimerEnd);
      SaveSettings();
      ::DestroyWindow(Window());
      return;
    case kTimerSample:
      SamplePointer();
      return;
    case kTimerMsgLoop:
      OnInputTick();
      return;
  }
}

void MainForm::OnDpiChanged(UINT, const RECT& suggested) {
  ReadTwipsFactors();
  SetFormFont();
  ::SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void MainForm::SetCheck(int id, bool checked) {
  HWND box = Item(id);
  const bool was = ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  ::SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (was != checked) OnCommand(id, BN_CLICKED, box);
}

void MainForm::OnTurnBackClick() {
  const int other = settings_.pairIndex;
  settings_.pairIndex = ::SendMessageW(Item(ids::kTurnBackCheck), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  if (settings_.pairIndex != other) {
    RECT otherRect;
    ::GetWindowRect(UpperBox(other), &otherRect);
    RECT newRect;
    ::GetWindowRect(UpperBox(settings_.pairIndex), &newRect);
    POINT topLeft{newRect.left, newRect.top};
    ::ScreenToClient(Window(), &topLeft);
    ::MoveWindow(UpperBox(settings_.pairIndex), topLeft.x, topLeft.y, newRect.right - newRect.left,
                 otherRect.bottom - otherRect.top, FALSE);
    SetControlText(UpperBox(settings_.pairIndex), ControlText(UpperBox(other)));
    SetControlText(LowerBox(settings_.pairIndex), ControlText(LowerBox(other)));
  }
  Layout();
}

void MainForm::OnDetailClick() {
  settings_.detail = ::SendMessageW(Item(ids::kDetailCheck), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  SetBoxText(UpperBox(settings_.pairIndex), texts_.upper[UpperSlot(settings_.detail)], IDS_UPPER_FILE);
  SetBoxText(LowerBox(settings_.pairIndex),
             texts_.lower[LowerSlot(settings_.detail, settings_.dispText, texts_.htmlMode())], IDS_LOWER_FILE);
}

void MainForm::OnAutoStopClick() {
  settings_.autoStop = ::SendMessageW(Item(ids::kAutoStopCheck), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void MainForm::OnMousePosDoubleClick() {
  const bool toScreen = settings_.mousPos != L"screen";
  settings_.mousPos = toScreen ? L"screen" : L"client";
  tips_.SetText(Item(ids::kMousePosLabel), Text(toScreen ? IDS_TIP_POS_SCREEN : IDS_TIP_POS_CLIENT));
  ::InvalidateRect(Item(ids::kMousePosLabel), nullptr, TRUE);
}

void MainForm::OnHandleDoubleClick() {
  HWND box = Item(ids::kHandleBox);
  if (settings_.winHandle != L"dec") {
    settings_.winHandle = L"dec";
    tips_.SetText(box, Text(IDS_TIP_HANDLE_DEC));
    SetControlText(box, handleTag_);
  } else {
    settings_.winHandle = L"hex";
    tips_.SetText(box, Text(IDS_TIP_HANDLE_HEX));
    if (!ControlText(box).empty() && !handleTag_.empty())
      SetControlText(box, HandleText(std::wcstoull(handleTag_.c_str(), nullptr, 10), true));
  }
  ::InvalidateRect(box, nullptr, TRUE);
}

void MainForm::OnMsgDoubleClick() {
  std::wstring caption = ControlText(Window());
  const std::wstring debugMark = L" - debug";
  if (settings_.debugMode) {
    if (const auto at = caption.find(debugMark); at != std::wstring::npos) caption.erase(at, debugMark.size());
    const std::wstring hint = L"Stop by " + settings_.hotkey;
    // A key another program holds is said, not left to fail silently.
    SetControlText(Item(ids::kStatusLabel), RegisterStopHotKey() ? hint : hint + L"\r\n" + Text(IDS_HOTKEY_TAKEN));
    SetControlText(Item(ids::kMsgLabel), hint);
  } else {
    caption += debugMark;
    SetControlText(Item(ids::kStatusLabel), L"");
    SetControlText(Item(ids::kMsgLabel), L"");
  }
  ::SetWindowTextW(Window(), caption.c_str());
  settings_.debugMode = !settings_.debugMode;
}

void MainForm::ApplyDisplaySettings() {
  ::SetWindowPos(Window(), settings_.dispTop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  tips_.SetText(Item(ids::kStatusBox), Text(settings_.hint != 0 ? IDS_TIP_TOOLTIP_TEXT : IDS_TIP_STATUS_BAR_TEXT));
  const bool autoStopShown = settings_.autoStopTime != 0;
  ::ShowWindow(Item(ids::kAutoStopCheck), autoStopShown ? SW_SHOW : SW_HIDE);
  SetCheck(ids::kAutoStopCheck, autoStopShown && settings_.autoStop == 1);
  SetControlText(Item(ids::kMsgLabel), ControlText(Item(ids::kStatusLabel)));
  OnDetailClick();
  markers_.Show(instance_, settings_.shift);
}

void MainForm::ShowStopHint(bool running) {
  if (!running) return;
  std::wstring hint = L"stop by " + settings_.hotkey + L"\r\n";
  static constexpr UINT kActionLines[] = {0, IDS_ACTION_DEFAULT, IDS_ACTION_SELECT1, IDS_ACTION_SELECT2};
  if (settings_.actionTest >= 1 && settings_.actionTest <= 3) hint += L"Ctrl" + Text(kActionLines[settings_.actionTest]);
  SetControlText(Item(ids::kStatusLabel), hint);
}

void MainForm::OpenSettingsForm() {
  // Alt+T is watched while the form is up too: one form at a time.
  if (settingsOpen_) return;
  settingsOpen_ = true;
  SettingsForm(instance_, settings_).Show(Window());
  settingsOpen_ = false;
  if (!::IsWindow(Window())) return;
  ApplyDisplaySettings();
  ShowStopHint(settings_.running);
}

void MainForm::OpenReadme() {
  // Help is the readme shipped beside the program; without one the labels do nothing.
  const std::wstring readme = platform::BesideProgram(kReadmeFileName);
  if (platform::PathExists(readme)) platform::OpenWithExplorer(L"\"" + readme + L"\"");
}

std::wstring MainForm::Text(UINT id) const {
  const wchar_t* text = nullptr;
  const int length = ::LoadStringW(instance_, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
}

std::wstring MainForm::ControlText(HWND control) const {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(::GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
  return text;
}

void MainForm::SetControlText(HWND control, const std::wstring& text) { ::SetWindowTextW(control, text.c_str()); }

LRESULT CALLBACK MainForm::BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR formPointer) {
  auto* form = reinterpret_cast<MainForm*>(formPointer);
  switch (message) {
    case WM_LBUTTONUP:
      form->CopyOnClick(box);
      break;
    case WM_LBUTTONDBLCLK:
      if (::GetDlgCtrlID(box) == ids::kHandleBox) {
        form->OnHandleDoubleClick();
      } else {
        ::SendMessageW(box, EM_SETSEL, 0, -1);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == 'C' && (::GetKeyState(VK_CONTROL) & 0x8000) && !(::GetKeyState(VK_SHIFT) & 0x8000) &&
          !(::GetKeyState(VK_MENU) & 0x8000)) {
        form->CopySelection(box);
        return 0;
      }
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(box, BoxProcedure, 0);
      break;
  }
  return ::DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace glimmet::shell
