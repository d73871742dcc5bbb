#include "glimmet/platform/window_base.h"

namespace glimmet::platform {

bool WindowBase::RegisterClassOnce(HINSTANCE instance, const wchar_t* className, HBRUSH background,
                                   HICON icon, UINT style) {
  WNDCLASSEXW existing{sizeof(existing)};
  if (::GetClassInfoExW(instance, className, &existing)) return true;
  WNDCLASSEXW cls{sizeof(cls)};
  cls.style = style;
  cls.lpfnWndProc = Procedure;
  cls.hInstance = instance;
  cls.hIcon = icon;
  cls.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = background;
  cls.lpszClassName = className;
  return ::RegisterClassExW(&cls) != 0;
}

HWND WindowBase::CreateWithThis(HINSTANCE instance, DWORD exStyle, const wchar_t* className,
                                const wchar_t* title, DWORD style, int x, int y, int width, int height,
                                HWND parent) {
  return ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                           instance, this);
}

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  const auto result = self->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->OnWindowGone();
  }
  return result ? *result : ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace glimmet::platform
