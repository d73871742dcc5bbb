// Steps the export, open and settings-dialog tests share: starting Zentrel over a prepared
// settings file, dropping and waiting for the inspection, the save dialog, message boxes, list
// boxes, and the code page 932 bytes the tests expect (from Python's cp932 codec, as hex).
#pragma once

#include "zentrel_shell.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zentrel_ui {

// Texts of the program (UTF-16).
inline const std::wstring kTitleDone = L"Zentrel - \x5b8c\x4e86\x3057\x307e\x3057\x305f\x3002";
inline const std::wstring kSaveDialogTitle = L"\x540d\x524d\x3092\x4ed8\x3051\x3066\x4fdd\x5b58";
inline const std::wstring kSettingsTitle = L"\x8a2d\x5b9a";
inline const std::wstring kListSaved =
    L"\x30ea\x30b9\x30c8\x306e\x5185\x5bb9\x3092\x30d5\x30a1\x30a4\x30eb\x306b\x4fdd\x5b58\x3057\x307e\x3057"
    L"\x305f\x3002";
inline const std::wstring kSomeCharactersReplaced =
    L"\n\x30b3\x30fc\x30c9\x30da\x30fc\x30b8 932 \x3067\x8868\x305b\x306a\x3044\x6587\x5b57\x306f\x300c?\x300d"
    L"\x306b\x7f6e\x304d\x63db\x3048\x307e\x3057\x305f\x3002";
inline const std::wstring kListNotSaved =
    L"\x30ea\x30b9\x30c8\x306e\x5185\x5bb9\x3092\x30d5\x30a1\x30a4\x30eb\x306b\x4fdd\x5b58\x3067\x304d\x307e"
    L"\x305b\x3093\x3067\x3057\x305f\x3002\n";
inline const std::wstring kOpenFailed =
    L"\x6307\x5b9a\x3055\x308c\x305f\x30d5\x30a1\x30a4\x30eb\x306e\x30aa\x30fc\x30d7\x30f3\x306b\x5931\x6557"
    L"\x3057\x307e\x3057\x305f\n";
inline const std::wstring kSettingsNotSaved =
    L"\x8a2d\x5b9a\x3092\x4fdd\x5b58\x3067\x304d\x307e\x305b\x3093\x3067\x3057\x305f\x3002\n";
inline const std::wstring kMixedEol = L"\x6df7\x5728";

// Code page 932 bytes, written as hex digits ("8dac8ddd").
std::string HexBytes(const char* hex);
inline const std::string kHintRowBytes = HexBytes(
    "837483408343838b814182dc82bd82cd83748348838b835f82f082b182b182c98368838d8362837682b582c482ad82be82b382a2");
inline const std::string kTabHeaderLineBytes =
    HexBytes("837483408343838b96bc0995b68e9a8352815b83680989fc8d738352815b83680d0a");

// Latin-1 range only: the test folders and fixture names the tests build are ASCII.
std::string Ascii(const std::wstring& text);

// The settings file Zentrel reads at start, holding these key elements (raw XML) in config.
std::string SettingsXml(const std::string& configChildren);

// Zentrel started in its own folder over a settings file the test writes first.
class ZentrelSessionTest : public ZentrelTest {
 protected:
  void SetUp() override {}
  void StartWithSettings(const std::string& configChildren);

  DWORD Pid() const { return process_->Id(); }
  guidriver::RemoteListView List() const { return guidriver::RemoteListView(Item(kResultList)); }

  // Drops the paths on the result list and waits until the drop has been handled (the title
  // turns to the done text, which the test first clears). Returns the rows.
  guidriver::Rows DropAndWait(const std::vector<std::wstring>& paths);

  // Menu "save the list", the save dialog filled with path and confirmed.
  void SaveListTo(const std::wstring& path);

  // Waits for the message box with that caption, returns its text and closes it with OK.
  std::wstring AnswerMessageBox(const std::wstring& caption);

  // Opens the settings dialog from the menu.
  HWND OpenSettingsDialog();

  // Confirms that every message posted to the main window before this call has been handled:
  // a later posted command with a visible effect has taken effect.
  testing::AssertionResult PostedMessagesHandled();

  std::string ReadFile(const std::wstring& name) const { return guidriver::ReadFileBytes(folder_.File(name)); }
};

// Every entry of a list box (LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT with the wide forms).
std::vector<std::wstring> ListBoxItems(HWND listBox);
int ListBoxSelection(HWND listBox);

// The child elements of config in the settings file, in order, as name=text.
std::vector<std::string> ConfigEntries(const std::string& xml);

}  // namespace zentrel_ui
