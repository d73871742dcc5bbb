// The form's layout in twips, step by step: a step that cannot be done (a negative size while
// the window is minimised or tiny) is skipped and the next one runs.
#include "glimmet/shell/control_ids.h"
#include "glimmet/core/app_settings.h"
#include "glimmet/platform/dpi.h"
#include "main_form.h"

#include <cmath>

namespace glimmet::shell {
namespace {

constexpr double kMinimumFormHeight = 3150;
// Narrower than this, the right-aligned check boxes slide under the method label and the centre
// bar's boxes under Detail; at 144 DPI the window's first-start size in pixels is that narrow.
constexpr double kMinimumInnerWidth = 5940;
constexpr double kSplitterMargin = 1400;

// A control's place within its container, in twips.
struct TwipsRect {
  double left = 0, top = 0, width = 0, height = 0;
};

}  // namespace

void MainForm::ReadTwipsFactors() {
  const double factor = platform::TwipsPerPixel(platform::WindowDpi(Window()));
  settings_.twipsPerPixelX = factor;
  settings_.twipsPerPixelY = factor;
}

void MainForm::Layout() {
  if (noResize_ || controls_.empty() || ::IsIconic(Window())) return;
  const double px = settings_.twipsPerPixelX, py = settings_.twipsPerPixelY;
  auto rectOf = [&](HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return TwipsRect{r.left * px, r.top * py, (r.right - r.left) * px, (r.bottom - r.top) * py};
  };
  // False (and nothing moved) for a negative size: the step is skipped.
  auto place = [&](HWND control, const TwipsRect& t) {
    if (t.width < 0 || t.height < 0) return false;
    const int left = static_cast<int>(RoundHalfEven(t.left / px)), top = static_cast<int>(RoundHalfEven(t.top / py));
    ::MoveWindow(control, left, top, static_cast<int>(RoundHalfEven(t.width / px)),
                 static_cast<int>(RoundHalfEven(t.height / py)), TRUE);
    return true;
  };
  RECT client, outer;
  ::GetClientRect(Window(), &client);
  ::GetWindowRect(Window(), &outer);
  const double innerWidth = client.right * px, innerHeight = client.bottom * py;
  const int pair = settings_.pairIndex;
  HWND upper = UpperBox(pair), lower = LowerBox(pair);

  // 1. Never shorter than 3150 twips, nor narrower than its controls; the resize comes back here.
  const int outerWidth = outer.right - outer.left, outerHeight = outer.bottom - outer.top;
  const bool tooShort = outerHeight * py < kMinimumFormHeight, tooNarrow = innerWidth < kMinimumInnerWidth;
  if (tooShort || tooNarrow) {
    const int width = tooNarrow ? outerWidth + static_cast<int>(std::ceil((kMinimumInnerWidth - innerWidth) / px)) : outerWidth;
    const int height = tooShort ? static_cast<int>(RoundHalfEven(kMinimumFormHeight / py)) : outerHeight;
    ::SetWindowPos(Window(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  // 2. The pair in use is shown, the other hidden.
  ::ShowWindow(upper, SW_SHOW);
  ::ShowWindow(lower, SW_SHOW);
  ::ShowWindow(UpperBox(1 - pair), SW_HIDE);
  ::ShowWindow(LowerBox(1 - pair), SW_HIDE);
  // 3. Right-aligned to the inner width.
  for (int id : {ids::kAutoStopCheck, ids::kTurnBackCheck, ids::kMouseFrame}) {
    TwipsRect r = rectOf(Item(id));
    r.left = innerWidth - r.width;
    place(Item(id), r);
  }
  const TwipsRect mouseFrame = rectOf(Item(ids::kMouseFrame));
  // 4. The status label reaches to the mouse frame.
  {
    TwipsRect r = rectOf(Item(ids::kStatusLabel));
    r.width = mouseFrame.left - r.left - 2 * px;
    place(Item(ids::kStatusLabel), r);
  }
  // 5. The help frame in the bottom-right corner.
  TwipsRect help = rectOf(Item(ids::kHelpFrame));
  help.left = innerWidth - help.width;
  help.top = innerHeight - help.height;
  place(Item(ids::kHelpFrame), help);
  help = rectOf(Item(ids::kHelpFrame));
  // 6. The message line beside it.
  {
    TwipsRect r = rectOf(Item(ids::kMsgLabel));
    r.top = help.top + 3 * py;
    r.width = help.left - r.left;
    place(Item(ids::kMsgLabel), r);
  }
  // 7. The status box above it.
  {
    TwipsRect r = rectOf(Item(ids::kStatusBox));
    r.left = 60;
    r.top = help.top - r.height - py;
    r.width = innerWidth - r.left;
    place(Item(ids::kStatusBox), r);
  }
  const TwipsRect status = rectOf(Item(ids::kStatusBox));
  // 8. The upper box: its stored height, unless that would push the rest out of the window.
  {
    TwipsRect r = rectOf(upper);
    r.left = 30;
    r.width = innerWidth - r.left;
    if (r.top + r.height > innerHeight + 120) {
      r.height = innerHeight - r.top - 1500;
      if (place(upper, r)) settings_.topHeight = static_cast<int>(RoundHalfEven(r.height));
    } else {
      r.height = settings_.topHeight;
      place(upper, r);
    }
  }
  const TwipsRect upperRect = rectOf(upper);
  // 9. The centre bar under it.
  {
    TwipsRect r = rectOf(Item(ids::kCenterFrame));
    r.left = upperRect.left;
    r.top = upperRect.top + upperRect.height;
    r.width = upperRect.width;
    place(Item(ids::kCenterFrame), r);
  }
  const TwipsRect center = rectOf(Item(ids::kCenterFrame));
  // 10, 11. The splitter under the bar; the drag bar with it, hidden.
  {
    TwipsRect r = rectOf(Item(ids::kSplitter));
    r.left = upperRect.left;
    r.top = center.top + center.height;
    r.width = upperRect.width;
    place(Item(ids::kSplitter), r);
    TwipsRect bar = rectOf(Item(ids::kSplitterBar));
    bar.left = upperRect.left;
    bar.width = upperRect.width;
    place(Item(ids::kSplitterBar), bar);
    ::ShowWindow(Item(ids::kSplitterBar), SW_HIDE);
  }
  const TwipsRect splitter = rectOf(Item(ids::kSplitter));
  // 12. The lower box fills down to the status box.
  {
    TwipsRect r = rectOf(lower);
    r.left = upperRect.left;
    r.top = splitter.top + splitter.height;
    r.width = innerWidth - r.left;
    r.height = status.top + 1 - r.top;
    place(lower, r);
  }
  // 13. Within the centre bar: Detail at its right end, the progress box before it, the method
  // label up to the progress box.
  {
    TwipsRect detail = rectOf(Item(ids::kDetailCheck));
    detail.left = center.width - detail.width;
    place(Item(ids::kDetailCheck), detail);
    TwipsRect count = rectOf(Item(ids::kCountBox));
    count.left = detail.left - count.width - px;
    place(Item(ids::kCountBox), count);
    TwipsRect method = rectOf(WinBox(2));
    method.width = count.left - method.left;
    method.top = rectOf(WinBox(1)).top;
    place(WinBox(2), method);
  }
}

void MainForm::OnSplitter(SplitterWindow::Event event, int offsetY) {
  const double py = settings_.twipsPerPixelY;
  HWND bar = Item(ids::kSplitterBar);
  RECT client;
  ::GetClientRect(Window(), &client);
  RECT image;
  ::GetWindowRect(Item(ids::kSplitter), &image);
  ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&image), 2);
  const double imageTop = image.top * py, innerHeight = client.bottom * py;
  switch (event) {
    case SplitterWindow::Event::Down:
      ::MoveWindow(bar, image.left, image.top, image.right - image.left,
                   std::max<LONG>(1, (image.bottom - image.top) / 2), TRUE);
      ::ShowWindow(bar, SW_SHOW);
      dragging_ = true;
      return;
    case SplitterWindow::Event::Move: {
      double candidate = imageTop + offsetY * py;
      if (candidate < kSplitterMargin) candidate = kSplitterMargin;
      // Never above the least position that still leaves the upper box a height.
      RECT upper, center;
      ::GetWindowRect(UpperBox(settings_.pairIndex), &upper);
      ::GetWindowRect(Item(ids::kCenterFrame), &center);
      ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&upper), 2);
      const double lowest = (upper.top + center.bottom - center.top) * py;
      if (candidate < lowest) candidate = lowest;
      if (candidate >= innerHeight - kSplitterMargin) candidate = innerHeight - kSplitterMargin;
      if (!dragging_) return;
      RECT current;
      ::GetWindowRect(bar, &current);
      ::MoveWindow(bar, image.left, static_cast<int>(RoundHalfEven(candidate / py)), current.right - current.left,
                   current.bottom - current.top, TRUE);
      return;
    }
    case SplitterWindow::Event::Up: {
      if (!dragging_) return;
      RECT current;
      ::GetWindowRect(bar, &current);
      ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&current), 2);
      SetUpperBoxBottom(current.top * py);
      ::ShowWindow(bar, SW_HIDE);
      dragging_ = false;
      return;
    }
  }
}

void MainForm::SetUpperBoxBottom(double y) {
  const double py = settings_.twipsPerPixelY;
  HWND upper = UpperBox(settings_.pairIndex);
  RECT box, center;
  ::GetWindowRect(upper, &box);
  ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&box), 2);
  ::GetWindowRect(Item(ids::kCenterFrame), &center);
  const double height = y - box.top * py - (center.bottom - center.top) * py;
  if (height < 0) return;
  settings_.topHeight = static_cast<int>(RoundHalfEven(height));
  ::MoveWindow(upper, box.left, box.top, box.right - box.left, static_cast<int>(RoundHalfEven(height / py)), TRUE);
  Layout();
}

}  // namespace glimmet::shell
