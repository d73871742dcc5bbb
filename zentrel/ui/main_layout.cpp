#include "main_layout.h"

#include <initializer_list>

#include "resource.h"
#include "zentrel/platform/window_dpi.h"

namespace zentrel::ui {
namespace {

// Keeps the control's top and size and gives it the left edge `leftFor(its width)`.
template <typename LeftFor>
void MoveLeftEdge(HWND dialog, int id, LeftFor leftFor) {
  HWND control = GetDlgItem(dialog, id);
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  MoveWindow(control, leftFor(width), rect.top, width, height, TRUE);
}

}  // namespace

void LayoutMainWindow(HWND dialog, int width, int height) {
  // The offsets are pixels at 96 DPI; the controls' sizes come from the template, which the system
  // scales, so the offsets scale alike or the right-hand column runs off the window.
  const UINT dpi = WindowDpi(dialog);
  const auto px = [dpi](int pixelsAt96) { return ScaleToDpi(pixelsAt96, dpi); };
  MoveWindow(GetDlgItem(dialog, IDC_RESULT_LIST), px(10), px(10), width - px(200), height - px(20), TRUE);
  for (int id : {IDC_ENCODING_GROUP, IDC_EOL_GROUP, IDC_DEST_GROUP, IDC_CONVERT})
    MoveLeftEdge(dialog, id, [&](int) { return width - px(180); });
  for (int id : {IDC_ENCODING_COMBO, IDC_EOL_COMBO, IDC_REPLACE_RADIO, IDC_FOLDER_RADIO, IDC_OUTPUT_EDIT})
    MoveLeftEdge(dialog, id, [&](int) { return width - px(170); });
  MoveLeftEdge(dialog, IDC_CLOSE, [&](int w) { return width - w - px(15); });
  MoveLeftEdge(dialog, IDC_BROWSE, [&](int w) { return width - w - px(25); });
  InvalidateRect(dialog, nullptr, FALSE);
}

}  // namespace zentrel::ui
