#pragma once
// Messages to windows of other programs with a bound: a hung or slow target never freezes
// Glimmet; the caller gets no answer instead and keeps what it has read so far.

#include <windows.h>

#include <optional>
#include <string>

namespace glimmet::platform {

// Long enough for a busy program to answer one item query, short enough that a capture of a
// hung window costs only a moment (a window the system already knows as hung fails at once).
inline constexpr UINT kMessageBoundMs = 1000;

// SendMessageTimeoutW with SMTO_ABORTIFHUNG; nothing when the window is gone, hung or did not
// answer within the bound.
std::optional<LRESULT> SendBounded(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                   UINT boundMs = kMessageBoundMs);

// WM_GETTEXT into a buffer of at least `capacity` characters (the terminating zero included), more
// when WM_GETTEXTLENGTH reports a longer text; the text before the first zero character, empty
// when there is none or no answer.
std::wstring WindowTextByMessage(HWND window, std::size_t capacity);

}  // namespace glimmet::platform
