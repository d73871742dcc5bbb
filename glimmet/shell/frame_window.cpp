#include "frame_window.h"

namespace glimmet::shell {
namespace {

constexpr wchar_t kClassName[] = L"GlimmetFrame";

}  // namespace

HWND FrameWindow::Create(HINSTANCE instance, HWND parent, int id, const std::wstring& caption) {
  caption_ = caption;
  if (!RegisterClassOnce(instance, kClassName, ::GetSysColorBrush(COLOR_BTNFACE))) return nullptr;
  HWND window = CreateWithThis(instance, WS_EX_CONTROLPARENT, kClassName, caption.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10, 10, parent);
  if (window) ::SetWindowLongPtrW(window, GWLP_ID, id);
  return window;
}

std::optional<LRESULT> FrameWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return ::SendMessageW(::GetParent(Window()), message, wParam, lParam);
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) ::InvalidateRect(Window(), nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_PAINT:
      Paint();
      return 0;
  }
  return std::nullopt;
}

void FrameWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(Window(), &paint);
  if (!caption_.empty()) {
    RECT client;
    ::GetClientRect(Window(), &client);
    HGDIOBJ oldFont = ::SelectObject(dc, font_);
    TEXTMETRICW metrics;
    ::GetTextMetricsW(dc, &metrics);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    RECT text{client.left + metrics.tmAveCharWidth, client.top, client.right, client.top + metrics.tmHeight};
    ::DrawTextW(dc, (L" " + caption_ + L" ").c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
  }
  ::EndPaint(Window(), &paint);
}

}  // namespace glimmet::shell
