#pragma once
// The settings dialog (114): shows every option of the settings document and, on OK, writes them
// back in a fixed order and saves the file at once. Cancel, Esc and the close box write nothing,
// and take back what an OK that failed part-way had written.

#include <windows.h>

#include <string>

#include "zentrel/platform/modal_dialog.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel::ui {

class SettingsDialog final : public platform::ModalDialog {
 public:
  SettingsDialog(HINSTANCE instance, SettingsStore& settings) : instance_(instance), settings_(settings) {}

  // Modal, owned by owner; reads the settings afresh each time.
  void Run(HWND owner);

 private:
  void Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnInitDialog();
  void OnCommand(int id);
  void OnOk();
  void OnClose();
  void OnAddEntry();
  void OnDeleteEntry();
  void OnChooseApplication();

  void FillDoubleClick();
  void FillDelimiter();
  void FillReadSize();
  void FillFilter();
  void FillTexts();
  void FillCheckBoxes();
  void FillIgnoreList();

  // Throw SettingsError when the document refuses a value or the file cannot be written.
  void WriteSettings();
  void WriteIgnoreList();

  bool IsChecked(int id) const;
  void Check(int id);
  void Enable(int id, bool enable);
  std::wstring EditText(int id) const;
  void UpdateLogDateEnabled();

  HINSTANCE instance_;
  SettingsStore& settings_;
  SettingsStore::Snapshot opened_;  // the settings when the dialog opened
  bool halfWritten_ = false;        // an OK failed after it may have changed some settings
};

}  // namespace zentrel::ui
