#pragma once
// The settings form (frmSetting): four pages of options behind label tabs. Every control writes
// its setting into the record the moment it changes; nothing is written to disk here (Conf.txt is
// written when the program ends), and the main form re-applies its display afterwards.

#include <windows.h>

#include "glimmet/core/app_settings.h"
#include "glimmet/platform/dialog_base.h"
#include "glimmet/platform/unique_handle.h"
#include "tool_tips.h"

namespace glimmet::shell {

class SettingsForm : public platform::DialogBase {
 public:
  SettingsForm(HINSTANCE instance, AppSettings& settings);
  void Show(HWND owner);

 private:
  std::optional<INT_PTR> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnInitDialog();
  void OnCommand(int id, int code);
  std::optional<INT_PTR> OnControlColor(HDC dc, HWND control);
  void PlaceCloseButton();

  void ShowPage(int page);
  void ShowShiftFrame();
  void OnAutoStopChosen();
  void OnShiftBoxLeft();
  void OnHotKeyButton();
  void OnClose();
  void FillLists();
  void AddTips();

  HWND Item(int id) const { return ::GetDlgItem(Dialog(), id); }
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);
  void CheckOption(int firstId, int count, int index);

  HINSTANCE instance_;
  AppSettings& settings_;
  int page_ = 0;
  platform::BrushHandle selectedTab_, otherTab_;
  ToolTips tips_;
};

}  // namespace glimmet::shell
