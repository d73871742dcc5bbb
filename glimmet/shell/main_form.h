#pragma once
// Glimmet's main form (frmGlimmetFromPoint): the one top-level window of the program.

#include <windows.h>

namespace glimmet::shell {

class MainForm {
 public:
  explicit MainForm(HINSTANCE instance) : instance_(instance) {}
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  bool Create();
  int RunMessageLoop();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnLoad();
  void OnUnload();

  HINSTANCE instance_;
  HWND window_ = nullptr;
};

}  // namespace glimmet::shell
