#pragma once
// Keyboard filters of the settings dialogs' boxes and lists.

#include <windows.h>

namespace glimmet::shell {

// A drop list that answers the mouse only: every key that would change its choice is swallowed.
void AcceptMouseOnly(HWND list);

// An edit that takes only the characters of `allowed` (a literal, kept for the window's life)
// and Backspace; every other typed character is discarded.
void AcceptCharacters(HWND edit, const wchar_t* allowed);

}  // namespace glimmet::shell
