// The form's controls as designed: kind, container, position in twips, text and tool tip.
#include <windows.h>
#include <commctrl.h>

#include "glimmet/shell/control_ids.h"
#include "main_form.h"
#include "text_ids.h"

namespace glimmet::shell {
namespace {

enum class Kind { BigBox, WrapBox, SmallBox, BorderlessBox, Label, Button, Check, Splitter, SplitterBar };

struct ControlDesign {
  int id;
  int frame;  // 0: on the form; else the id of the frame that holds it
  Kind kind;
  int left, top, width, height;  // twips, within the container
  const wchar_t* text;
  UINT tip;  // 0: none
};

// Controls whose place the layout computes start at 0; the layout runs before the form shows.
constexpr ControlDesign kDesign[] = {
    {ids::kGoButton, 0, Kind::Button, 60, 60, 900, 390, L"Go", IDS_TIP_GO},
    {ids::kAutoStopLabel, 0, Kind::Label, 1020, 120, 300, 270, L"", IDS_TIP_AUTOSTOP},
    {ids::kStatusLabel, 0, Kind::Label, 1380, 45, 0, 450, L"Status", 0},
    {ids::kMousePosLabel, ids::kMouseFrame, Kind::Label, 105, 300, 1125, 270, L"", IDS_TIP_POS_SCREEN},
    {ids::kHandleBox, ids::kMouseFrame, Kind::BorderlessBox, 1290, 300, 1080, 270, L"", IDS_TIP_HANDLE},
    {ids::kWinBox + 3, 0, Kind::BorderlessBox, 60, 780, 4200, 270, L"", IDS_TIP_POINT_METHOD},
    {ids::kAutoStopCheck, 0, Kind::Check, 0, 1035, 1230, 270, L"auto stop", 0},
    {ids::kTurnBackCheck, 0, Kind::Check, 0, 765, 1230, 270, L"word wrap", 0},
    {ids::kUpperBox, 0, Kind::BigBox, 30, 1335, 0, 1200, L"", 0},
    {ids::kUpperBox + 1, 0, Kind::WrapBox, 30, 1335, 0, 1200, L"", 0},
    {ids::kUpdButton, ids::kCenterFrame, Kind::Button, 0, 30, 235, 300, L"\u2261", IDS_TIP_UPD},
    {ids::kWinBox, ids::kCenterFrame, Kind::BorderlessBox, 300, 60, 1770, 255, L"", IDS_TIP_CLASS_NAME},
    {ids::kWinBox + 1, ids::kCenterFrame, Kind::SmallBox, 2130, 30, 1200, 300, L"", IDS_TIP_HTML_TAG},
    {ids::kWinBox + 2, ids::kCenterFrame, Kind::SmallBox, 3390, 30, 600, 300, L"", IDS_TIP_LOWER_METHOD},
    {ids::kCountBox, ids::kCenterFrame, Kind::SmallBox, 4050, 30, 900, 300, L"", 0},
    {ids::kDetailCheck, ids::kCenterFrame, Kind::Check, 5010, 45, 840, 270, L"Detail", IDS_TIP_DETAIL},
    {ids::kSplitter, 0, Kind::Splitter, 30, 0, 0, 90, L"", IDS_TIP_SPLITTER},
    {ids::kLowerBox, 0, Kind::BigBox, 30, 0, 0, 0, L"", 0},
    {ids::kLowerBox + 1, 0, Kind::WrapBox, 30, 0, 0, 0, L"", 0},
    {ids::kStatusBox, 0, Kind::SmallBox, 60, 0, 0, 300, L"", IDS_TIP_STATUS_BAR},
    {ids::kMsgLabel, 0, Kind::Label, 60, 0, 0, 270, L"", 0},
    {ids::kToolLabel, ids::kHelpFrame, Kind::Label, 90, 45, 720, 270, L"Setting", 0},
    {ids::kHelpLabel, ids::kHelpFrame, Kind::Label, 900, 45, 600, 270, L"Help", IDS_TIP_HELP},
    {ids::kUrlLabel, ids::kHelpFrame, Kind::Label, 1560, 45, 600, 270, L"HP", IDS_TIP_URL},
    {ids::kSplitterBar, 0, Kind::SplitterBar, 30, 0, 0, 45, L"", IDS_TIP_SPLITTER},
};

struct FrameDesign {
  int id;
  int left, top, width, height;
  const wchar_t* caption;
};

constexpr FrameDesign kFrames[] = {
    {ids::kMouseFrame, 0, 0, 2490, 690, L"Mouse cursor position"},
    {ids::kCenterFrame, 30, 0, 0, 360, L""},
    {ids::kHelpFrame, 0, 0, 2250, 360, L""},
};

struct WindowStyle {
  const wchar_t* className;
  DWORD style, exStyle;
};

WindowStyle StyleOf(Kind kind) {
  constexpr DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  constexpr DWORD bigBox = child | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_TABSTOP;
  switch (kind) {
    case Kind::BigBox: return {WC_EDITW, bigBox | WS_HSCROLL | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::WrapBox: return {WC_EDITW, bigBox, WS_EX_CLIENTEDGE};
    case Kind::SmallBox: return {WC_EDITW, child | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case Kind::BorderlessBox: return {WC_EDITW, child | ES_AUTOHSCROLL | ES_READONLY, 0};
    case Kind::Label: return {WC_STATICW, child | SS_NOTIFY | SS_NOPREFIX, 0};
    case Kind::Button: return {WC_BUTTONW, child | BS_PUSHBUTTON | WS_TABSTOP, 0};
    case Kind::Check: return {WC_BUTTONW, child | BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case Kind::SplitterBar: return {WC_STATICW, WS_CHILD | WS_CLIPSIBLINGS | SS_GRAYRECT, 0};
    case Kind::Splitter: break;
  }
  return {WC_STATICW, child, 0};
}

}  // namespace

HWND MainForm::Item(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}
HWND MainForm::UpperBox(int pair) const { return Item(ids::kUpperBox + pair); }
HWND MainForm::LowerBox(int pair) const { return Item(ids::kLowerBox + pair); }
HWND MainForm::WinBox(int index) const { return Item(ids::kWinBox + index); }

bool MainForm::CreateControls() {
  auto pixelsX = [&](int twips) { return static_cast<int>(twips / settings_.twipsPerPixelX + 0.5); };
  auto pixelsY = [&](int twips) { return static_cast<int>(twips / settings_.twipsPerPixelY + 0.5); };
  tips_.Create(instance_, Window());
  FrameWindow* frames[] = {&mouseFrame_, &centerFrame_, &helpFrame_};
  for (std::size_t i = 0; i < std::size(kFrames); ++i) {
    const auto& design = kFrames[i];
    HWND frame = frames[i]->Create(instance_, Window(), design.id, design.caption);
    if (!frame) return false;
    ::MoveWindow(frame, pixelsX(design.left), pixelsY(design.top), pixelsX(design.width), pixelsY(design.height), FALSE);
    controls_[design.id] = frame;
  }
  for (const auto& design : kDesign) {
    HWND parent = design.frame ? Item(design.frame) : Window();
    HWND control = nullptr;
    if (design.kind == Kind::Splitter) {
      control = splitter_.Create(instance_, parent, design.id,
                                 [this](SplitterWindow::Event event, int y) { OnSplitter(event, y); });
    } else {
      const WindowStyle style = StyleOf(design.kind);
      control = ::CreateWindowExW(style.exStyle, style.className, design.text, style.style, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance_, nullptr);
    }
    if (!control) return false;
    ::MoveWindow(control, pixelsX(design.left), pixelsY(design.top), pixelsX(design.width), pixelsY(design.height), FALSE);
    controls_[design.id] = control;
    if (design.tip) tips_.Add(control, Text(design.tip));
    if (std::wstring_view(StyleOf(design.kind).className) == WC_EDITW)
      ::SetWindowSubclass(control, BoxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
  }
  // The bar shown while dragging lies above everything it crosses.
  ::SetWindowPos(Item(ids::kSplitterBar), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The big boxes hold any capture whole up to the cut in SetBoxText; their tips are the
  // character statistics of what they show.
  for (int pair = 0; pair < 2; ++pair) {
    for (HWND box : {UpperBox(pair), LowerBox(pair)}) {
      ::SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
      tips_.Add(box, L"");
    }
  }
  SetFormFont();
  return true;
}

void MainForm::SetFormFont() {
  NONCLIENTMETRICSW metrics{sizeof(metrics)};
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  LOGFONTW font = metrics.lfMessageFont;
  // 9 points at the monitor's DPI (the system metrics are those of the primary monitor).
  font.lfHeight = -static_cast<LONG>(9 * 1440 / 72 / settings_.twipsPerPixelY + 0.5);
  font_.Reset(::CreateFontIndirectW(&font));
  ::SendMessageW(Window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  for (const auto& [id, control] : controls_)
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

}  // namespace glimmet::shell
