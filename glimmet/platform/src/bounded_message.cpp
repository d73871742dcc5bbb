#include "glimmet/platform/bounded_message.h"

#include <algorithm>
#include <string>
#include <vector>

namespace glimmet::platform {

std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT boundMs) {
  DWORD_PTR result = 0;
  if (!window || !::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT,
                                        boundMs, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

std::wstring WindowTextByMessage(HWND window, std::size_t capacity) {
  // A text longer than the buffer would come back cut without a sign of it: the buffer grows to
  // the length the window reports, within a bound that keeps a hostile answer from exhausting memory.
  constexpr std::size_t kLargestText = std::size_t{1} << 26;
  if (const auto length = SendBounded(window, WM_GETTEXTLENGTH); length && *length > 0)
    capacity = std::max(capacity, std::min(static_cast<std::size_t>(*length) + 1, kLargestText));
  std::vector<wchar_t> buffer(capacity, L'\0');
  if (!SendBounded(window, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(buffer.data()))) return {};
  for (std::size_t i = 0; i < capacity; ++i) {
    if (buffer[i] == L'\0') return std::wstring(buffer.data(), i);
  }
  return {};
}

}  // namespace glimmet::platform
