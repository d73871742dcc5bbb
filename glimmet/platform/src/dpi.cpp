#include "glimmet/platform/dpi.h"

namespace glimmet::platform {
namespace {

template <typename Function>
Function UserFunction(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

void BecomeDpiAware() {
  using SetContext = BOOL(WINAPI*)(HANDLE);
  if (auto set = UserFunction<SetContext>("SetProcessDpiAwarenessContext")) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then V1 on systems without V2.
    if (set(reinterpret_cast<HANDLE>(-4)) || set(reinterpret_cast<HANDLE>(-3))) return;
  }
  ::SetProcessDPIAware();
}

UINT WindowDpi(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  if (auto get = UserFunction<GetDpi>("GetDpiForWindow")) {
    if (const UINT dpi = get(window)) return dpi;
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

}  // namespace glimmet::platform
