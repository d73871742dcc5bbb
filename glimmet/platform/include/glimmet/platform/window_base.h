#pragma once
// The one static window procedure: it stores `this` at WM_NCCREATE and hands every message to the
// object's Handle(), whose result goes back to Windows (WM_NOTIFY and WM_CTLCOLOR* need one).

#include <windows.h>

#include <optional>

namespace glimmet::platform {

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase() = default;

  HWND Window() const { return window_; }

 protected:
  // Registers `className` once per process with the shared procedure.
  static bool RegisterClassOnce(HINSTANCE instance, const wchar_t* className, HBRUSH background,
                                HICON icon = nullptr, UINT style = 0);
  // CreateWindowExW with this object as the creation parameter.
  HWND CreateWithThis(HINSTANCE instance, DWORD exStyle, const wchar_t* className, const wchar_t* title,
                      DWORD style, int x, int y, int width, int height, HWND parent);

  // Returns the message's result, or nothing to let DefWindowProcW answer.
  virtual std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Called after WM_NCDESTROY: the window is gone.
  virtual void OnWindowGone() {}

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
};

}  // namespace glimmet::platform
