#pragma once
// A key code: the low 16 bits hold the virtual-key code, the high bits the modifiers held with it.

#include <cstdint>

namespace glimmet {

using KeyCode = std::int32_t;

inline constexpr KeyCode kKeyAlt = 0x10000;
inline constexpr KeyCode kKeyCtrl = 0x20000;
inline constexpr KeyCode kKeyShift = 0x40000;
inline constexpr KeyCode kKeyWin = 0x80000;

}  // namespace glimmet
