// Glimmet's entry point.
#include <windows.h>

#include "main_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  glimmet::shell::MainForm form(instance);
  if (!form.Create()) return 1;
  return form.RunMessageLoop();
}
