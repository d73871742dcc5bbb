#pragma once
// The main window: the result list, the conversion choices and the menu.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "main_window_state.h"
#include "zentrel/platform/modal_dialog.h"

namespace zentrel::ui {

class MainDialog final : public platform::ModalDialog {
 public:
  explicit MainDialog(MainWindowState& state) : state_(state) {}

  // Runs the dialog modally until it is closed.
  void Run();

 private:
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

  void Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnInitDialog();
  void OnSize(WPARAM sizeType, LPARAM size);
  void OnCommand(int id);
  void OnNotify(const NMHDR& header);
  void OnClose(WPARAM result);
  void OnDropFiles(HDROP drop);
  void OnColumnClick(int column);
  void OnRightClick();
  void OnBrowseOutputFolder();
  void OnConvert();
  void SetOutputControlsEnabled(bool enabled);

  MainWindowState& state_;
  UINT dpi_ = 96;  // the DPI the list's column widths were last set for
  WNDPROC listBaseProc_ = nullptr;
  bool walking_ = false;  // a drop's walk is running (and may be waiting in an error box)
};

}  // namespace zentrel::ui
