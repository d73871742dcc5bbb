#pragma once
// The result list as a text file: the writer shared by "save the list" and the automatic log.
// The file holds code page 932 bytes, CR LF after every line, the cells joined by a tab or by the
// "delimchar" text, an optional header line, the rows in display order.

#include <windows.h>

#include <string>

namespace zentrel {
class SettingsStore;
}

namespace zentrel::ui {

struct ListWriteResult {
  bool written = false;              // the file now holds the whole list
  bool charactersReplaced = false;   // some characters had no code page 932 form and became "?"
};

// Reads "delimtype", "delimchar" and "logheader" afresh on every call.
ListWriteResult WriteListFile(HINSTANCE instance, HWND list, const std::wstring& path,
                              const SettingsStore& settings);

// Menu command "save the list": the save dialog, the writer, then the confirmation, or an "ERROR"
// box naming the path when the file could not be written.
void SaveListFromMenu(HINSTANCE instance, HWND owner, HWND list, const SettingsStore& settings);

// After a drop: "./zentrel.log", or "./zentrel_YYYYMMDD_hhmmss.log" with "logdate" 1, in the current
// directory. Silent, whatever happens.
void WriteAutomaticLog(HINSTANCE instance, HWND list, const SettingsStore& settings);

}  // namespace zentrel::ui
