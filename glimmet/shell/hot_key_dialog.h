#pragma once
// The hot-key dialog (frmOption): the stop hot key chosen from the fixed list, and whether Alt+T
// opens the settings form. Changes reach the settings record only through "Ok".

#include <windows.h>

#include "glimmet/core/app_settings.h"
#include "glimmet/platform/dialog_base.h"
#include "tool_tips.h"

namespace glimmet::shell {

class HotKeyDialog : public platform::DialogBase {
 public:
  HotKeyDialog(HINSTANCE instance, AppSettings& settings) : instance_(instance), settings_(settings) {}
  void Show(HWND owner);

 private:
  std::optional<INT_PTR> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnInitDialog();
  void OnOk();

  HINSTANCE instance_;
  AppSettings& settings_;
  ToolTips tips_;
};

}  // namespace glimmet::shell
