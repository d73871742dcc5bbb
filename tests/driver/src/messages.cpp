#include "guidriver/messages.h"

#include "guidriver/driver_error.h"

#include <string>

namespace guidriver {
namespace {

constexpr UINT kSendTimeoutMs = 10000;

}  // namespace

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
    ThrowLastError("message " + std::to_string(message) + " to window " +
                   std::to_string(reinterpret_cast<UINT_PTR>(window)) + " got no answer");
  }
  return static_cast<LRESULT>(result);
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!::PostMessageW(window, message, wParam, lParam)) {
    ThrowLastError("posting message " + std::to_string(message) + " to window " +
                   std::to_string(reinterpret_cast<UINT_PTR>(window)) + " failed");
  }
}

void PostCommand(HWND window, int id) { Post(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void PostKeyPress(HWND window, UINT virtualKey) {
  const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  const LPARAM up = down | (1LL << 30) | (1LL << 31);
  Post(window, WM_KEYDOWN, virtualKey, down);
  Post(window, WM_KEYUP, virtualKey, up);
}

void PostAltKeyPress(HWND window, UINT virtualKey) {
  const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16) | (1LL << 29);
  const LPARAM up = down | (1LL << 30) | (1LL << 31);
  Post(window, WM_SYSKEYDOWN, virtualKey, down);
  Post(window, WM_SYSKEYUP, virtualKey, up);
}

}  // namespace guidriver
