#pragma once
// Zentrel's settings: the XML file "Zentrel.config" held in memory as one MSXML document for the
// whole run. The program creates one SettingsStore at start-up and hands it to whatever reads or
// writes settings; reads always go to the document in memory, and only SaveSettings touches the
// file (LoadSettings too, when it has to create the file).
//
// Errors: operations that change the document or the file throw SettingsError. Getters never
// throw for document trouble: a missing document, config element or key gives the fallback.
//
// Threads: the getters and ReadIgnoreList may run on the conversion worker while the user-interface
// thread waits in a modal loop; nothing here locks, so writes must not overlap them.

#include <windows.h>
#include <msxml2.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zentrel/core/setting_keys.h"
#include "zentrel/settings/settings_error.h"

namespace zentrel {

inline constexpr wchar_t kSettingsDocumentProgId[] = L"MSXML.DOMDocument";
inline constexpr wchar_t kSettingsFileName[] = L"Zentrel.config";
// Beside the settings file: the last file that could not be loaded, as it was.
inline constexpr wchar_t kSettingsBackupSuffix[] = L".bak";

enum class SettingsOrigin {
  Loaded,           // the file was read
  Created,          // there was no file; the skeleton was built
  ReplacedDamaged,  // the file did not load; it was copied to the backup, the skeleton built
  // The file did not load and could not be copied to the backup (a read-only folder, a file
  // another program holds): the skeleton lives in memory only, and the file is never written.
  KeptUnreadable,
};

struct LoadResult {
  SettingsOrigin origin = SettingsOrigin::Loaded;
  // The fresh skeleton could not be written (say, a read-only folder). The document still works
  // from memory with every setting at its fallback; S_OK when written or not needed.
  HRESULT skeletonSaveResult = S_OK;
};

class SettingsStore {
 public:
  // path: the settings file (the start-up folder followed by "\Zentrel.config").
  // progId: the document class; tests name others to see creation fail.
  explicit SettingsStore(std::wstring path, std::wstring progId = kSettingsDocumentProgId);
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  SettingsStore(SettingsStore&&) noexcept;
  SettingsStore& operator=(SettingsStore&&) noexcept;
  ~SettingsStore();

  // Creates the document and reads the file; when it is missing or does not load, builds the
  // skeleton (declaration, Moravane with version "1.0.0", empty config) and writes it. A file that
  // exists but does not load is first copied to path + ".bak"; when that copy fails the file is
  // left untouched for the whole run (KeptUnreadable). Throws SettingsError when the document
  // object cannot be created. COM must be initialised on the calling thread.
  LoadResult LoadSettings();

  // Writes the whole document to the file in Shift_JIS, replacing it. Throws SettingsError; the
  // previous file stays intact then. Always throws after a KeptUnreadable load.
  void SaveSettings() const;

  // "/Moravane/config/<key>": no node gives the fallback, else its text read as an integer
  // ("" and "abc" as 0, "12abc" as 12, leading blanks and a sign allowed).
  std::int32_t GetSettingInt(std::wstring_view key, std::int32_t fallback) const;
  // No node gives the fallback, else its text, also when empty.
  std::wstring GetSettingString(std::wstring_view key, std::wstring_view fallback) const;
  // The same for a key of the table, with that reader's fallback.
  std::int32_t GetSetting(const setting::Int& s) const { return GetSettingInt(s.key, s.fallback); }
  std::wstring GetSetting(const setting::Text& s) const { return GetSettingString(s.key, s.fallback); }

  // Store the value as the key element's text, appending the element to config the first time
  // (so keys keep the order of their first writes). Nothing is written to disk. Throws
  // SettingsError when there is no "/Moravane/config" (the document is not changed: rebuilding a
  // file the user shaped differently is left to the user), when the key is not a plain name, or
  // when the text holds a character no XML file can carry.
  void SetSettingInt(std::wstring_view key, std::int32_t value);
  void SetSettingString(std::wstring_view key, std::wstring_view text);

  // The text of every "/Moravane/config/ignore/suffix", in document order (across several
  // ignore elements too); empty when there is none.
  std::vector<std::wstring> ReadIgnoreList() const;
  // Replaces the first ignore element of config by a new one holding the entries, appended as
  // config's last child. Other ignore elements stay. Nothing is written to disk. Throws
  // SettingsError like the setters; on failure the document is unchanged.
  void WriteIgnoreList(const std::vector<std::wstring>& entries);

  // The settings as they are now, to put back with Restore: a writer that fails part-way (the
  // settings dialog's OK) undoes what it wrote. Holds a copy of config; empty without one.
  class Snapshot {
   public:
    Snapshot() = default;

   private:
    friend class SettingsStore;
    Microsoft::WRL::ComPtr<IXMLDOMNode> config_;
  };
  Snapshot TakeSnapshot() const;
  // Puts config back as it was in the snapshot. Throws SettingsError.
  void Restore(const Snapshot& snapshot);

  const std::wstring& Path() const noexcept { return path_; }
  std::wstring BackupPath() const { return path_ + kSettingsBackupSuffix; }

 private:
  Microsoft::WRL::ComPtr<IXMLDOMNode> RequireConfig() const;

  std::wstring path_;
  std::wstring progId_;
  Microsoft::WRL::ComPtr<IXMLDOMDocument2> document_;
  HRESULT keptUnreadable_ = S_OK;  // why the file is not to be written (the failed backup)
};

}  // namespace zentrel
