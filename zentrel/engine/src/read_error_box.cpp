#include "zentrel/engine/read_error_box.h"

#include <windows.h>

#include <string>

#include "zentrel/engine/engine_strings.h"

namespace zentrel {

namespace {

const wchar_t* ErrorText(InspectError error) {
  switch (error) {
    case InspectError::CannotOpen: return engine_text::kReadFailed;
    case InspectError::TooLarge: return engine_text::kTooLarge;
    case InspectError::NotFound: return engine_text::kNotFound;
    case InspectError::NoAccess: return engine_text::kNoAccess;
    case InspectError::NameTooLong: return engine_text::kNameTooLong;
    case InspectError::CannotList: return engine_text::kCannotList;
    case InspectError::NotRegular: return engine_text::kNotRegular;
    case InspectError::RefusedEntry: return engine_text::kRefusedEntry;
  }
  return engine_text::kReadFailed;
}

}  // namespace

void ShowReadError(std::wstring_view path, InspectError error) {
  std::wstring text = ErrorText(error);
  text += path;
  MessageBoxW(nullptr, text.c_str(), L"ERROR", MB_ICONERROR | MB_OK);
}

}  // namespace zentrel
