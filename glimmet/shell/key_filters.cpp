#include "key_filters.h"

#include <commctrl.h>

#include <cwchar>

namespace glimmet::shell {
namespace {

constexpr UINT_PTR kMouseOnlyId = 1, kCharactersId = 2;

LRESULT CALLBACK MouseOnlyProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_KEYDOWN:
      // Tab and Escape still move the focus or close the dialog: the dialog sees them first.
      if (wParam == VK_TAB || wParam == VK_ESCAPE || wParam == VK_RETURN) break;
      return 0;
    case WM_CHAR:
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(list, MouseOnlyProcedure, kMouseOnlyId);
      break;
  }
  return ::DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK CharactersProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR allowed) {
  switch (message) {
    case WM_CHAR:
      if (wParam != VK_BACK && !std::wcschr(reinterpret_cast<const wchar_t*>(allowed), static_cast<wchar_t>(wParam)))
        return 0;
      if (wParam == 0) return 0;
      break;
    case WM_PASTE:
      return 0;  // a paste would bring in what typing may not
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(edit, CharactersProcedure, kCharactersId);
      break;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void AcceptMouseOnly(HWND list) { ::SetWindowSubclass(list, MouseOnlyProcedure, kMouseOnlyId, 0); }

void AcceptCharacters(HWND edit, const wchar_t* allowed) {
  ::SetWindowSubclass(edit, CharactersProcedure, kCharactersId, reinterpret_cast<DWORD_PTR>(allowed));
}

}  // namespace glimmet::shell
