#include "splitter_window.h"

#include <windowsx.h>

namespace glimmet::shell {
namespace {

constexpr wchar_t kClassName[] = L"GlimmetSplitter";

}  // namespace

HWND SplitterWindow::Create(HINSTANCE instance, HWND parent, int id, Listener listener) {
  listener_ = std::move(listener);
  if (!RegisterClassOnce(instance, kClassName, ::GetSysColorBrush(COLOR_BTNFACE))) return nullptr;
  HWND window = CreateWithThis(instance, 0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
  if (window) ::SetWindowLongPtrW(window, GWLP_ID, id);
  return window;
}

std::optional<LRESULT> SplitterWindow::Handle(UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_SETCURSOR:
      ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
      return TRUE;
    case WM_LBUTTONDOWN:
      ::SetCapture(Window());
      listener_(Event::Down, GET_Y_LPARAM(lParam));
      return 0;
    case WM_MOUSEMOVE:
      listener_(Event::Move, GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (::GetCapture() == Window()) ::ReleaseCapture();
      listener_(Event::Up, GET_Y_LPARAM(lParam));
      return 0;
  }
  return std::nullopt;
}

}  // namespace glimmet::shell
