#pragma once
// Glimmet's main form: the two big text boxes with the text under the pointer, the small boxes
// that describe the pointed window, the Go/Stop button, and the word wrap, Detail and auto stop
// check boxes. The form owns the settings record and the texts of the last capture.

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "frame_window.h"
#include "glimmet/capture/reader_context.h"
#include "glimmet/core/app_settings.h"
#include "glimmet/core/capture_pass.h"
#include "glimmet/core/capture_texts.h"
#include "glimmet/core/input_watcher.h"
#include "glimmet/platform/chime.h"
#include "glimmet/platform/unique_handle.h"
#include "glimmet/platform/window_base.h"
#include "markers.h"
#include "splitter_window.h"
#include "tool_tips.h"

namespace glimmet::shell {

class MainForm : public platform::WindowBase {
 public:
  MainForm(HINSTANCE instance, std::wstring commandLine,
           std::unique_ptr<platform::ChimePlayer> chime = std::make_unique<platform::SystemChimePlayer>());

  bool Create();
  int RunMessageLoop();

  // The pump of the capture run: runs every pending message; false once the program is ending.
  bool PumpMessages();

 private:
  // The form's timers: Timer_Go starts a run outside the handler that asked for it, Timer_End ends
  // the program after a run, Timer2 samples the pointer, Timer_MsgLoop watches the input.
  enum Timer : UINT_PTR { kTimerGo = 1, kTimerEnd = 2, kTimerSample = 3, kTimerMsgLoop = 4 };

  // Window and control creation (main_form_controls.cpp).
  bool CreateControls();
  HWND Item(int id) const;
  HWND UpperBox(int pair) const;
  HWND LowerBox(int pair) const;
  HWND WinBox(int index) const;
  void SetFormFont();

  std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnLoad();
  void OnClose();
  void OnCommand(int id, int code, HWND control);
  std::optional<LRESULT> OnControlColor(HDC dc, HWND control);
  void OnTimer(UINT_PTR timer);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  static LRESULT CALLBACK BoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR form);

  // Settings file (settings_file.cpp).
  void LoadSettings();
  void SaveSettings();

  // Layout and splitter (main_form_layout.cpp).
  void Layout();
  void OnSplitter(SplitterWindow::Event event, int offsetY);
  void SetUpperBoxBottom(double twips);
  void ReadTwipsFactors();

  // Check boxes and toggles.
  void SetCheck(int id, bool checked);  // runs the box's click handler when the state changes
  void OnTurnBackClick();
  void OnDetailClick();
  void OnAutoStopClick();
  void OnMousePosDoubleClick();
  void OnHandleDoubleClick();
  void OnMsgDoubleClick();
  void ApplyDisplaySettings();
  void ShowStopHint(bool running);
  void OpenSettingsForm();
  void OpenReadme();

  // Output and feedback (box_output.cpp).
  void SetBoxText(HWND box, const std::wstring& text, int fileTextId);
  void CopyOnClick(HWND box);
  void CopySelection(HWND box);
  void UpdateCharStatsTip(HWND changedBox);
  void RunEndOfRunOutput();
  void PlayChime();

  // Capture run (run_loop.cpp).
  void StartRun();
  void RunCaptureLoop();
  void RunPass(std::uint32_t now);
  void Capture();  // capture_step.cpp
  void FinishCapture(HWND window);
  void ShowStatusBarText(HWND window);
  capture::ReaderContext ReaderContextForCapture();
  void SamplePointer();
  void RunAutoStopCheck(std::uint32_t idleMilliseconds);
  void SetHandleBox(std::uintptr_t handle);
  void ShowTooltipHint(std::uint32_t dwell);
  void RunActionTestIfKeyDown();

  // Input watching and the stop hot key (input_watching.cpp).
  void OnInputTick();
  enum class HotKeyRoute { None, Polled, Registered };
  void ToggleRunByHotKey(HotKeyRoute route);
  bool RegisterStopHotKey();  // false when the key could not be registered
  void OnHotKey(WPARAM id);
  std::wstring KeyNameText(int virtualKey) const;

  std::wstring Text(UINT id) const;
  std::wstring ControlText(HWND control) const;
  void SetControlText(HWND control, const std::wstring& text);
  double TwipsX(int pixels) const { return pixels * settings_.twipsPerPixelX; }
  double TwipsY(int pixels) const { return pixels * settings_.twipsPerPixelY; }

  HINSTANCE instance_;
  std::wstring commandLine_;
  std::unique_ptr<platform::ChimePlayer> chime_;
  AppSettings settings_;
  CaptureTexts texts_;
  CapturePass pass_;
  std::map<int, HWND> controls_;
  FrameWindow mouseFrame_, centerFrame_, helpFrame_;
  SplitterWindow splitter_;
  ToolTips tips_;
  Markers markers_;
  platform::FontHandle font_;
  bool noResize_ = false;       // the form's tag "NoResize": the layout waits
  bool dragging_ = false;
  bool forceCapture_ = false;  // a mouse button went down: the next pass captures
  InputWatcher watcher_{[](int key) { return static_cast<std::int16_t>(::GetAsyncKeyState(key)); }};
  ATOM hotKeyId_ = 0;           // the registered stop hot key; 0 before the registration
  bool inHotKey_ = false;
  HotKeyRoute lastHotKeyRoute_ = HotKeyRoute::None;
  DWORD lastHotKeyTick_ = 0;
  bool settingsOpen_ = false;   // the settings form is up: Alt+T does not open a second one
  std::uint32_t lastHintTick_ = 0, lastActionTick_ = 0;
  bool inRun_ = false;          // the run loop is on the stack: a second start is refused
  bool ending_ = false;         // the window is closing: the run loop leaves at once
  std::wstring handleTag_;      // the pointed window's handle in decimal
  int shownCount_ = 0;          // the number lblAutoStop shows (0: empty)
};

}  // namespace glimmet::shell
