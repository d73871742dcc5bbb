// One capture: the window under the capture point read by the reader of its kind (a web page
// through its document), the two reports built, and every box of the form filled. It pumps
// messages at fixed points, so the pointer sample and the run flags may change under it; it never
// starts another capture from those pumps.
#include "glimmet/capture/page_reader.h"
#include "glimmet/capture/readers.h"
#include "glimmet/core/box_text.h"
#include "glimmet/core/control_kind.h"
#include "glimmet/platform/window_text.h"
#include "glimmet/reports/window_report.h"
#include "glimmet/reports/window_search.h"
#include "glimmet/shell/control_ids.h"
#include "main_form.h"

namespace glimmet::shell {
namespace {

constexpr std::wstring_view kStatusBarClass = L"msctls_statusbar32";

// The one visible status bar below `top`, or null when there is none or more than one.
HWND SingleStatusBar(HWND top) {
  if (!top) return nullptr;
  const auto bars = reports::FindChildWindows(top, kStatusBarClass, L"");
  return bars.size() == 1 ? bars.front() : nullptr;
}

}  // namespace

capture::ReaderContext MainForm::ReaderContextForCapture() {
  return {settings_, [this](const std::wstring& progress) { SetControlText(Item(ids::kCountBox), progress); },
          [this] { PumpMessages(); }};
}

void MainForm::Capture() {
  HWND window = reinterpret_cast<HWND>(settings_.pointWindow);
  // Over Glimmet itself (a control in one of its frames included) the boxes are emptied once.
  if (window == Window() || ::GetAncestor(window, GA_ROOT) == Window()) {
    for (int id : {ids::kHandleBox, ids::kWinBox, ids::kWinBox + 1, ids::kWinBox + 2, ids::kCountBox})
      SetControlText(Item(id), L"");
    handleTag_.clear();
    SetControlText(UpperBox(settings_.pairIndex), L"");
    SetControlText(LowerBox(settings_.pairIndex), L"");
    pass_.Captured();
    return;
  }
  SetControlText(Item(ids::kMsgLabel), L"Getting");
  if (!PumpMessages()) return;
  pass_.lastCaptureTick = ::GetTickCount();

  // The handle, class and title all describe the same window, even if the pointer moved during
  // the pump above.
  window = reinterpret_cast<HWND>(settings_.pointWindow);
  SetHandleBox(settings_.pointWindow);
  const std::wstring className = platform::ClassNameOf(window);
  const std::wstring title = platform::WindowTextOf(window);
  SetControlText(WinBox(0), className);
  SetControlText(Item(ids::kCountBox), L"");
  ::ShowWindow(Item(ids::kCountBox), SW_SHOW);

  const capture::ReaderContext context = ReaderContextForCapture();
  const ReadResult atPoint = settings_.fromHwnd == 1
                                 ? ReadResult{context.Accessibility().NameOfWindow(window), L""}
                                 : capture::TextAtPoint(context, settings_.pointX, settings_.pointY, false);
  SetControlText(WinBox(3), atPoint.methodLabel);
  texts_.pointText() = UnifyLineBreaks(atPoint.text);

  const ControlKind kind = ClassifyWindowClass(className);
  std::wstring lowerLabel;
  capture::PageCapture page;
  if (kind == ControlKind::Ie) {
    page = capture::CapturePage(context, window, className);
    if (ending_) return;
    if (page.documentWindow) pass_.pageWindow = reinterpret_cast<std::uintptr_t>(page.documentWindow);
  }
  if (page.outcome == capture::PageCapture::Outcome::NoElement) {
    // A page window whose document or element cannot be read: nothing to show below, and no texts
    // of an earlier page left for the detail switch to bring back.
    texts_.htmlMode() = L"1";
    for (std::wstring* text : {&texts_.htmlText(), &texts_.lowerText(), &texts_.detailReport()}) text->clear();
    ::ShowWindow(Item(ids::kCountBox), SW_HIDE);
    SetControlText(LowerBox(settings_.pairIndex), L"");
    SetControlText(WinBox(1), L"");
    SetControlText(WinBox(2), L"");
    FinishCapture(window);
    return;
  }
  if (page.outcome == capture::PageCapture::Outcome::Read) {
    texts_.htmlMode() = L"1";
    ::ShowWindow(Item(ids::kCountBox), SW_HIDE);
    texts_.htmlText() = page.text;
    texts_.lowerText() = page.source;
    OnDetailClick();
    if (!PumpMessages()) return;
    texts_.detailReport() = page.elementTable;
    SetControlText(WinBox(1), page.tagLine);
    lowerLabel = label::kHtml;
  } else {
    // Every other kind, and an engine window that shows no document (it is read as a plain
    // window rather than leaving the texts of an earlier page in the boxes). The browser's frame
    // window shows the address of the run's last page.
    const ReadResult lower =
        kind == ControlKind::IeFrame
            ? ReadResult{capture::DocumentAddress(context, reinterpret_cast<HWND>(pass_.pageWindow)), L""}
        : kind == ControlKind::Ie ? ReadResult{}
                                  : capture::ReadByKind(kind, context);
    if (ending_) return;
    texts_.htmlMode().clear();
    texts_.lowerText() = lower.text;
    OnDetailClick();
    if (!PumpMessages()) return;
    texts_.detailReport() = reports::BuildWindowReport(window, className, title, settings_.winHandle == L"hex");
    SetControlText(WinBox(1), L"");
    lowerLabel = lower.methodLabel;
  }

  texts_.accReport() = context.Accessibility().BuildReport(settings_.fromHwnd == 1 ? window : nullptr);
  SetControlText(WinBox(2), lowerLabel);
  OnDetailClick();
  FinishCapture(window);
}

// The status box and the end of a capture.
void MainForm::FinishCapture(HWND window) {
  SetControlText(Item(ids::kStatusBox), L"");
  if (settings_.hint == 0) ShowStatusBarText(window);
  SetControlText(Item(ids::kMsgLabel), L"");
  pass_.Captured();
}

// The status bar of the pointed window's program: the one below its top-level window, else the
// one below the foreground window, else one inside a tab window that carries the program's title.
void MainForm::ShowStatusBarText(HWND window) {
  HWND top = platform::TopLevelOf(window);
  if (!top) top = window;
  const capture::ReaderContext context = ReaderContextForCapture();
  HWND bar = SingleStatusBar(top);
  if (!bar) bar = SingleStatusBar(::GetForegroundWindow());
  if (bar) {
    SetControlText(Item(ids::kStatusBox), capture::HintTextOf(context, bar));
    return;
  }
  const std::wstring topTitle = platform::WindowTextOf(top);
  for (HWND tab : reports::FindChildWindows(top, L"TabWindowClass", L"")) {
    if (platform::WindowTextOf(tab) != topTitle) continue;
    if (HWND tabBar = SingleStatusBar(tab)) SetControlText(Item(ids::kStatusBox), capture::HintTextOf(context, tabBar));
  }
}

}  // namespace glimmet::shell
