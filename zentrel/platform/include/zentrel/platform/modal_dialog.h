#pragma once
// The one procedure of Zentrel's modal dialogs: it keeps `this` from WM_INITDIALOG on and hands
// every message to the object's Handle(). Every message also gets the dialog manager's default
// handling (the procedure answers FALSE).

#include <windows.h>

namespace zentrel::platform {

class ModalDialog {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

 protected:
  ModalDialog() = default;
  virtual ~ModalDialog() = default;

  // DialogBoxParamW of the template `id`; returns EndDialog's value, -1 when it could not open.
  INT_PTR RunModal(HINSTANCE instance, int id, HWND owner);
  virtual void Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  HWND dialog_ = nullptr;  // set before Handle sees WM_INITDIALOG

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace zentrel::platform
