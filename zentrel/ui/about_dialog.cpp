#include "about_dialog.h"

#include "resource.h"

namespace zentrel::ui {
namespace {

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

void ShowAboutBox(HINSTANCE instance) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), nullptr, AboutProc, 0);
}

}  // namespace zentrel::ui
