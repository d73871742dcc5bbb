// Zentrel's entry point: locale, COM, the settings document, the main dialog.
#include <windows.h>
#include <objbase.h>

#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

#include "main_dialog.h"
#include "main_window_state.h"
#include "message_boxes.h"
#include "resource.h"
#include "win_controls.h"
#include "zentrel/settings/settings_store.h"

namespace {

// The Japanese locale for the C and C++ runtimes. MinGW's C++ library knows only the "C" locale,
// so the C++ half may refuse; the list writer converts to code page 932 explicitly anyway.
void UseJapaneseLocale() {
  try {
    std::locale::global(std::locale("japanese"));
  } catch (const std::runtime_error&) {
  }
  setlocale(LC_ALL, "japanese");
}

// Error descriptions are ASCII (an operation name and an HRESULT).
std::wstring Widen(const char* text) {
  std::wstring wide;
  for (; *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

// The current directory may pass MAX_PATH where long paths are enabled (the manifest allows it).
std::wstring SettingsPathInCurrentDirectory() {
  std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
  directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), directory.data()));
  return directory + L"\\Zentrel.config";
}

// Loads (or creates) the settings document, runs the main dialog and writes the settings back.
// The document lives in this scope, so it is released before COM is shut down.
void RunWithSettings(zentrel::ui::MainWindowState& state) {
  using namespace zentrel::ui;
  zentrel::SettingsStore settings(state.settingsPath);
  try {
    // A file that neither loads nor can be copied aside is kept as it is (the store never writes
    // it); the program runs on the fallbacks and says so once.
    if (settings.LoadSettings().origin == zentrel::SettingsOrigin::KeptUnreadable)
      ShowErrorBox(LoadResourceString(state.instance, IDS_SETTINGS_BACKUP_FAILED) + state.settingsPath);
  } catch (const zentrel::SettingsError& error) {
    ShowErrorBox(LoadResourceString(state.instance, IDS_SETTINGS_OBJECT_FAILED) + Widen(error.what()));
    return;
  }
  state.settings = &settings;

  MainDialog(state).Run();

  try {
    settings.SaveSettings();
  } catch (const zentrel::SettingsError&) {
    // The program is ending; there is nobody left to tell. The previous file is intact.
  }
  state.settings = nullptr;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace zentrel::ui;
  UseJapaneseLocale();

  MainWindowState state;
  state.instance = instance;
  if (CoInitialize(nullptr) != S_OK) {
    ShowErrorBox(LoadResourceString(instance, IDS_COM_INIT_FAILED));
    return 0;
  }
  state.settingsPath = SettingsPathInCurrentDirectory();

  RunWithSettings(state);

  CoUninitialize();
  return 0;
}
