#include "glimmet/platform/dialog_base.h"

namespace glimmet::platform {

INT_PTR DialogBase::ShowModal(HINSTANCE instance, int id, HWND owner) {
  return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(id), owner, Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogBase::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogBase*>(lParam);
    self->dialog_ = dialog;
    ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<DialogBase*>(::GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  const auto result = self->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(dialog, DWLP_USER, 0);
    self->dialog_ = nullptr;
  }
  if (!result) return FALSE;
  const bool direct = message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
  if (direct) return *result;
  ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, *result);
  return TRUE;
}

}  // namespace glimmet::platform
