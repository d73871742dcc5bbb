#pragma once
// Every key of the settings file with the fallback its readers use when the key is absent. Only the
// settings dialog writes keys. Readers differ on purpose in three places, so a key may have a row
// per reader:
// - "readsize": the walk examines the first 1000 bytes, while the dialog shows the whole-file choice
//   with 1000 in its byte-count field; OK then writes what the dialog shows.
// - "bom16": the conversion writes a UTF-16 byte-order mark, while the dialog shows the box unchecked.
// - "openapp": the open action runs notepad.exe for an absent or empty program; the dialog shows that
//   name in its field.
// Portable: the walk reads these through SettingsReader, the Windows parts through the settings store.

#include <string_view>

namespace zentrel::setting {

struct Int {
  std::wstring_view key;
  int fallback;
};
struct Text {
  std::wstring_view key;
  std::wstring_view fallback;
};

inline constexpr Int kDoubleClick{L"dclick", 0};                 // open action, dialog
inline constexpr Text kOpenApp{L"openapp", L""};                  // open action (empty: notepad.exe)
inline constexpr Text kOpenAppShown{L"openapp", L"notepad.exe"};  // dialog
inline constexpr Int kReadSize{L"readsize", 1000};               // walk
inline constexpr Int kReadSizeChoice{L"readsize", 0};            // dialog: whole file or the head
inline constexpr Text kReadSizeShown{L"readsize", L"1000"};       // dialog: the byte-count field
inline constexpr Int kDelimType{L"delimtype", 0};                // list writer, dialog
inline constexpr Text kDelimChar{L"delimchar", L","};             // list writer, dialog
inline constexpr Int kLogHeader{L"logheader", 0};                // list writer, dialog
inline constexpr Int kLogAuto{L"logauto", 0};                    // drop, dialog
inline constexpr Int kLogDate{L"logdate", 0};                    // automatic log, dialog
inline constexpr Int kCheckType{L"checktype", 0};                // walk, dialog
inline constexpr Int kStringType{L"stringtype", 0};              // walk, dialog
inline constexpr Int kUseFullPath{L"usefullpath", 0};            // walk, dialog
inline constexpr Int kBom8{L"bom8", 0};                          // conversion, dialog
inline constexpr Int kBom16{L"bom16", 1};                        // conversion
inline constexpr Int kBom16Shown{L"bom16", 0};                   // dialog
inline constexpr Int kCp932{L"cp932", 1};                        // conversion, dialog

// Every number the walk reads (besides the ignore list), for a copy taken before a walk on another
// thread.
inline constexpr Int kWalkSettings[] = {kReadSize, kCheckType, kStringType, kUseFullPath};

}  // namespace zentrel::setting
