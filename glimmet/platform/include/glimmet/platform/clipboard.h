#pragma once

#include <windows.h>

#include <string_view>

namespace glimmet::platform {

// Empties the clipboard and puts `text` on it as Unicode text; false when the clipboard could not
// be opened or the text not handed over.
bool PutTextOnClipboard(HWND owner, std::wstring_view text);

}  // namespace glimmet::platform
