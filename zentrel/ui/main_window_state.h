#pragma once
// The main window's process-wide state: what the user chose when Convert was pressed and where the
// listed files came from. Written by the main window only while no job runs; the conversion reads it.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zentrel {
class SettingsStore;
}

namespace zentrel::ui {

struct MainWindowState {
  HINSTANCE instance = nullptr;
  std::wstring settingsPath;
  SettingsStore* settings = nullptr;
  HWND resultList = nullptr;
  std::array<std::uint32_t, 3> sortFlags{};  // per column: 0 or all bits set, flipped on each click
  int encodingChoice = -1;                   // index in the encoding drop-down, -1 none
  int eolChoice = -1;                        // index in the line-ending drop-down, -1 none
  int replaceFlag = 1;                       // 1: convert in place; 0: into outputFolder
  std::wstring outputFolder;
  std::wstring dropRoot;                     // the dropped item being (or last) inspected
  // Every item of the last drop, and for each appended row (by its item data) the index of the item
  // it came from: files from several dropped folders keep their own sub-folders when converted into
  // an output folder.
  std::vector<std::wstring> dropRoots;
  std::vector<std::size_t> rowDropRoot;
  HICON smallIcon = nullptr;

  // The dropped item a row came from (its item data); the last dropped item for rows without one
  // or with a tag that names no item of the last drop.
  const std::wstring& DropRootOfRow(LPARAM rowData) const {
    if (rowData < 0 || static_cast<std::size_t>(rowData) >= rowDropRoot.size()) return dropRoot;
    const std::size_t root = rowDropRoot[static_cast<std::size_t>(rowData)];
    return root < dropRoots.size() ? dropRoots[root] : dropRoot;
  }
};

}  // namespace zentrel::ui
