#include "zentrel/core/line_ending.h"

#include "ui_strings.h"

namespace zentrel {

std::wstring_view LineEndingText(LineEnding ending) {
  switch (ending) {
    case LineEnding::CrLf:
      return L"CR LF";
    case LineEnding::Cr:
      return L"CR";
    case LineEnding::Lf:
      return L"LF";
    case LineEnding::Mixed:
      return text::kMixedLineEndings;
    case LineEnding::None:
      break;
  }
  return L"";
}

}  // namespace zentrel
