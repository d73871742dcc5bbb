#pragma once
// The line-ending verdict of one file and the texts the result list shows for it.

#include <cstdint>
#include <string_view>

namespace zentrel {

// The numeric values are the ones the result list has always used; keep them.
enum class LineEnding : std::uint8_t {
  None = 0,  // no CR or LF seen
  CrLf = 1,
  Cr = 2,
  Lf = 3,
  Mixed = 99,
};

// "", "CR LF", "CR", "LF" or the Japanese word for mixed (from the string table).
std::wstring_view LineEndingText(LineEnding ending);

// The rule every scan applies when it meets a line end of `kind`: the first kind seen (or the same
// kind again) sets the state; a conflicting kind makes it mixed, unless the sequence starts at the
// scan's tail position, where a read cut short may have split a line end, and is then forgiven.
constexpr LineEnding NoteLineEnd(LineEnding state, LineEnding kind, bool atTailPosition) {
  if (state == LineEnding::None || state == kind) return kind;
  if (atTailPosition) return state;
  return LineEnding::Mixed;
}

}  // namespace zentrel
