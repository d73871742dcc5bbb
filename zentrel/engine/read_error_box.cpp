#include "read_error_box.h"

#include <windows.h>

#include <string>

#include "engine_strings.h"

namespace zentrel {

void ShowReadError(std::wstring_view path, InspectError error) {
  std::wstring text = error == InspectError::CannotOpen ? engine_text::kReadFailed : engine_text::kTooLarge;
  text += path;
  MessageBoxW(nullptr, text.c_str(), L"ERROR", MB_ICONERROR | MB_OK);
}

}  // namespace zentrel
