#pragma once
// The one modal dialog procedure: it stores `this` at WM_INITDIALOG and hands every message to the
// object's Handle(); a result other than nothing is the dialog's answer (DWLP_MSGRESULT for the
// messages that need one, the returned value for WM_CTLCOLOR*).

#include <windows.h>

#include <optional>

namespace glimmet::platform {

class DialogBase {
 public:
  DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;
  virtual ~DialogBase() = default;

  HWND Dialog() const { return dialog_; }

 protected:
  // DialogBoxParamW of the template `id`; returns EndDialog's value, -1 when it could not open.
  INT_PTR ShowModal(HINSTANCE instance, int id, HWND owner);

  virtual std::optional<INT_PTR> Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  HWND dialog_ = nullptr;
};

}  // namespace glimmet::platform
