#include "markers.h"

namespace glimmet::shell {
namespace {

constexpr wchar_t kClassName[] = L"GlimmetMarker";
constexpr int kSize = 2;  // pixels

bool RegisterMarkerClass(HINSTANCE instance) {
  static HBRUSH red = ::CreateSolidBrush(RGB(0xFF, 0, 0));  // lives as long as the class
  WNDCLASSEXW cls{sizeof(cls)};
  if (::GetClassInfoExW(instance, kClassName, &cls)) return true;
  cls.lpfnWndProc = ::DefWindowProcW;
  cls.hInstance = instance;
  cls.hbrBackground = red;
  cls.lpszClassName = kClassName;
  return ::RegisterClassExW(&cls) != 0;
}

}  // namespace

void Markers::Load(HINSTANCE instance) {
  if (!RegisterMarkerClass(instance)) return;
  for (auto& window : windows_) {
    if (window) continue;
    window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, L"",
                               WS_POPUP, 0, 0, kSize, kSize, nullptr, nullptr, instance, nullptr);
  }
}

void Markers::Show(HINSTANCE instance, int shift) {
  if (shift != 0) Load(instance);
  for (HWND window : windows_) {
    if (!window) continue;
    // Brought to the front without taking the activation from the program being read.
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (shift ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
}

void Markers::Move(int x, int y) {
  const POINT corners[4] = {{x - 2, y - 2}, {x + 2, y - 2}, {x + 2, y + 2}, {x - 2, y + 2}};
  for (int i = 0; i < 4; ++i) {
    if (windows_[i])
      ::SetWindowPos(windows_[i], HWND_TOPMOST, corners[i].x, corners[i].y, kSize, kSize, SWP_NOACTIVATE);
  }
}

void Markers::Unload() {
  for (auto& window : windows_) {
    if (window) ::DestroyWindow(window);
    window = nullptr;
  }
}

}  // namespace glimmet::shell
