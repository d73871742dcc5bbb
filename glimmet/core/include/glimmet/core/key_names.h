#pragma once
// The names of the keys the input watcher polls, and the stop hot keys the user may choose.

#include <array>
#include <string>
#include <string_view>

#include "glimmet/core/key_code.h"

namespace glimmet {

// Name of a virtual-key code 0..256; empty for a key that is never polled. The three mouse buttons
// are named by a single blank: they must be polled, but a name would mean nothing to the user.
std::u16string_view KeyName(int virtualKey);

struct HotKeyEntry {
  std::u16string_view name;
  KeyCode code;
};

// The stop hot keys offered in the hot-key dialog, in its order; entry 0 is "none".
const std::array<HotKeyEntry, 29>& HotKeyTable();

// The code of the first entry whose name equals `name` exactly (case matters); 0 when none does,
// so a stored name that is not in the table never matches a key.
KeyCode HotKeyCode(std::u16string_view name);
KeyCode HotKeyCode(std::wstring_view name);

inline constexpr KeyCode kAltT = kKeyAlt | 0x54;   // opens the settings form
inline constexpr KeyCode kCtrlA = kKeyCtrl | 0x41;  // selects all in the focused box

}  // namespace glimmet
