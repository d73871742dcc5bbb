#pragma once
// What the main window hands to the conversion of each file: the user's choices when Convert was
// pressed and where the listed files came from. Written only while no job runs.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

namespace zentrel::ui {

struct MainWindowState {
  HINSTANCE instance = nullptr;
  std::wstring settingsPath;
  HWND resultList = nullptr;
  std::array<std::uint32_t, 3> sortFlags{};  // per column: 0 or all bits set, flipped on each click
  int encodingChoice = -1;                   // index in the encoding drop-down, -1 none
  int eolChoice = -1;                        // index in the line-ending drop-down, -1 none
  int replaceFlag = 1;                       // 1: convert in place; 0: into outputFolder
  std::wstring outputFolder;
  std::wstring dropRoot;                     // the dropped item being (or last) inspected
  HICON smallIcon = nullptr;
};

}  // namespace zentrel::ui
