// Glimmet's entry point.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "glimmet/platform/dpi.h"
#include "main_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
  glimmet::platform::BecomeDpiAware();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  glimmet::shell::MainForm form(instance, commandLine ? commandLine : L"");
  if (!form.Create()) return 1;
  return form.RunMessageLoop();
}
