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

std::wstring SettingsPathInCurrentDirectory() {
  wchar_t directory[1024] = {};
  GetCurrentDirectoryW(1024, directory);
  return std::wstring(directory) + L"\\Zentrel.config";
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

  MainDialog(state).Run();

  CoUninitialize();
  return 0;
}
