#pragma once
// What a text box shows for a captured text, and how a window handle is written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glimmet {

// A text of this many characters or more is cut before it goes into a box.
inline constexpr std::size_t kBoxTextLimit = 65535;
inline constexpr std::size_t kBoxTextKept = 65000;

bool IsOverBoxLimit(std::wstring_view text);

// The shown form of an over-limit text: its first 65000 characters and the notice; when the
// whole text was saved to the desktop, the notice names that file.
std::wstring CutBoxText(std::wstring_view text, const std::optional<std::wstring>& savedFileName);

// A window handle in decimal, or in upper-case hexadecimal without prefix.
std::wstring HandleText(std::uint64_t handle, bool hex);

// The pointer position label: x right-aligned in 4 characters, "-", y right-aligned in 3
// (a wider value is shown whole).
std::wstring PointerPositionText(int x, int y);

// Every LF not preceded by CR becomes CR LF.
std::wstring UnifyLineBreaks(std::wstring_view text);

}  // namespace glimmet
