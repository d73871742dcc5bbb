#pragma once
// The few user-visible Japanese texts of the portable core, as UTF-16/32 escapes so the sources
// stay ASCII. Keep every such text here.

namespace zentrel::text {

// "mixed": the line-ending text of a file with more than one kind of line end.
inline constexpr const wchar_t* kMixedLineEndings = L"\u6DF7\u5728";

}  // namespace zentrel::text
