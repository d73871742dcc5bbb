#include "main_form.h"

#include <string>

#include "version.h"
#include "glimmet/core/version_text.h"

namespace glimmet::shell {
namespace {

constexpr wchar_t kClassName[] = L"GlimmetFromPoint";

}  // namespace

bool MainForm::Create() {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof(cls);
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance_;
  cls.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kClassName;
  if (!RegisterClassExW(&cls)) return false;
  window_ = CreateWindowExW(0, kClassName, L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            480, 400, nullptr, nullptr, instance_, this);
  if (!window_) return false;
  ShowWindow(window_, SW_SHOWNORMAL);
  return true;
}

int MainForm::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

LRESULT CALLBACK MainForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (auto* self = reinterpret_cast<MainForm*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
    return self->Handle(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainForm::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnLoad(); return 0;
    case WM_DESTROY: OnUnload(); return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void MainForm::OnLoad() {
  std::wstring caption = L"Glimmet from point " +
      VersionText(GLIMMET_VERSION_MAJOR, GLIMMET_VERSION_MINOR, GLIMMET_VERSION_REVISION);
  SetWindowTextW(window_, caption.c_str());
}

void MainForm::OnUnload() { PostQuitMessage(0); }

}  // namespace glimmet::shell
