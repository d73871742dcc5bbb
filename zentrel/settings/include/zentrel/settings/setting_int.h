#pragma once
// How an integer setting's text is read. Kept free of windows.h so it can be reasoned about
// (and tested) as plain text handling.

#include <cstdint>
#include <limits>
#include <string_view>

namespace zentrel {

// Reads a decimal integer the way hand-edited settings files expect: leading white space skipped,
// an optional sign, then digits up to the first non-digit. No digits gives 0 ("" and "abc" read
// as 0, "12abc" as 12). Values beyond the 32-bit range saturate at its ends instead of wrapping,
// so an absurd size never turns into a small or negative one.
constexpr std::int32_t ParseSettingInt(std::wstring_view text) noexcept {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || (text[at] >= L'\t' && text[at] <= L'\r'))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
    negative = text[at] == L'-';
    ++at;
  }
  // The magnitude stops growing just past the largest one representable (that of INT32_MIN),
  // which keeps it far from the 64-bit limit however many digits follow.
  constexpr std::int64_t kMagnitudeCap = -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min());
  std::int64_t magnitude = 0;
  for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
    magnitude = magnitude * 10 + (text[at] - L'0');
    if (magnitude > kMagnitudeCap) magnitude = kMagnitudeCap;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return magnitude >= kMagnitudeCap ? std::numeric_limits<std::int32_t>::max()
                                    : static_cast<std::int32_t>(magnitude);
}

}  // namespace zentrel
