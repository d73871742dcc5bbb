#pragma once
// The one process-wide record of Glimmet's settings: every key of Conf.txt plus the values that
// live only while the program runs. The main form owns the single instance and hands it by
// reference to whoever reads or changes a setting.

#include <cstdint>
#include <string>

#include "glimmet/core/key_code.h"

namespace glimmet {

// The keys stored in Conf.txt. Integers are 32-bit; lengths in twips or pixels as noted.
struct StoredSettings {
  // The main window's restored rectangle in screen pixels. While the form exists the window
  // placement is the truth; these hold what was last read from or written to the file.
  int formLeft = 0, formTop = 0, formRight = 0, formBottom = 0;
  int topHeight = 1200;          // twips, height of the upper text box
  int dispTop = 1;               // 1: main window topmost
  int treeviewIndent = 1;        // 1: tree items indented by level
  int listviewCol = 0;           // 0 tabs, 1 CSV, 2 first column only
  int toFile = 0;                // 1: over-long texts also saved to the desktop
  int turnBack = 0;              // word wrap in the two big boxes
  std::wstring mousPos = L"screen";   // "screen" or "client"
  std::wstring winHandle = L"dec";    // "dec" or "hex"
  std::wstring hotkey = L"ESC";       // name of the stop hot key
  int enableHotT = 1;            // 1: Alt+T opens the settings form
  int dispText = 0;              // browser documents: 1 text, 0 source
  int startNode = 0;             // browser documents: levels climbed above the element
  int autoStart = 0;
  int clipboard = 0;             // 0 never, 1 on click, 2 upper / 3 lower box at run end
  int hint = 0;                  // status box: 0 status bar text, 1 tool tip text
  int autoStop = 0;
  int autoStopTime = 0;          // seconds; 0 hides the auto stop check box
  int autoClose = 0;
  int chime = 1;
  std::wstring chimeFile = L"chimes.wav";
  int detail = 0;
  int shift = 0;
  int shiftX = 20, shiftY = 30;  // pixels
  int parentAndChildren = 1;
  int parentAndChildrenMax = 10;
  int fromHwnd = 0;
  int actionTest = 0;            // 0 none, 1 default action, 2/3 selection tests
  int htmlTagTextLength = 50;
  int settingNo = 0;             // settings form page shown last
  int settingLeft = 0, settingTop = 0;  // twips
};

// The display the defaults are computed from: its size in twips and its twips-per-pixel factors.
struct ScreenMetrics {
  double widthTwips = 0, heightTwips = 0;
  double twipsPerPixelX = 15, twipsPerPixelY = 15;
};

// The stored keys with the defaults that depend on the screen (window and settings form
// positions), each computed value rounded to the nearest integer, halves to even.
StoredSettings DefaultSettings(const ScreenMetrics& screen);

struct AppSettings : StoredSettings {
  // Run-time values, never written.
  double twipsPerPixelX = 15, twipsPerPixelY = 15;
  int pairIndex = 0;                  // text-box pair in use: 0 plain, 1 word wrap
  bool running = false;               // a capture run is active; anyone may clear it to stop
  std::wstring exitRequest;           // "Unload": end the program when the run has ended
  bool debugMode = false;
  std::wstring versionText;
  KeyCode actionTestKey = 17;         // Ctrl
  // The pointer sample, written by the sampling timer and read by the readers.
  int pointX = 0, pointY = 0;
  std::uintptr_t pointWindow = 0;     // window handle under the capture point
  int pointerCopyX = 0, pointerCopyY = 0;
};

// Rounds to the nearest integer, an exact half to the even neighbour (2.5 -> 2, 3.5 -> 4).
long long RoundHalfEven(double value);

}  // namespace glimmet
