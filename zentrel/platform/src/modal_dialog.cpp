#include "zentrel/platform/modal_dialog.h"

namespace zentrel::platform {

INT_PTR ModalDialog::RunModal(HINSTANCE instance, int id, HWND owner) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(id), owner, Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    reinterpret_cast<ModalDialog*>(lParam)->dialog_ = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  }
  // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
  if (auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER)))
    self->Handle(message, wParam, lParam);
  return FALSE;
}

}  // namespace zentrel::platform
