#include "main_layout.h"

#include <initializer_list>

#include "resource.h"

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
  MoveWindow(GetDlgItem(dialog, IDC_RESULT_LIST), 10, 10, width - 200, height - 20, TRUE);
  for (int id : {IDC_ENCODING_GROUP, IDC_EOL_GROUP, IDC_DEST_GROUP, IDC_CONVERT})
    MoveLeftEdge(dialog, id, [&](int) { return width - 180; });
  for (int id : {IDC_ENCODING_COMBO, IDC_EOL_COMBO, IDC_REPLACE_RADIO, IDC_FOLDER_RADIO, IDC_OUTPUT_EDIT})
    MoveLeftEdge(dialog, id, [&](int) { return width - 170; });
  MoveLeftEdge(dialog, IDC_CLOSE, [&](int w) { return width - w - 15; });
  MoveLeftEdge(dialog, IDC_BROWSE, [&](int w) { return width - w - 25; });
  InvalidateRect(dialog, nullptr, FALSE);
}

}  // namespace zentrel::ui
