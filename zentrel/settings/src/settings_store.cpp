#include "zentrel/settings/settings_store.h"

#include <optional>
#include <utility>

#include "zentrel/settings/setting_int.h"
#include "zentrel/settings/settings_file_io.h"
#include "zentrel/settings/xml_chars.h"
#include "zentrel/settings/xml_document.h"
#include "zentrel/settings/xml_file_text.h"
#include "zentrel/settings/xml_writer.h"

namespace zentrel {

namespace {

constexpr wchar_t kConfigPath[] = L"/Moravane/config";
constexpr wchar_t kIgnoreEntriesPath[] = L"/Moravane/config/ignore/suffix";

// The file of a first start: nothing but the root with its version and an empty config, so every
// reader starts from its fallback.
void BuildSkeleton(IXMLDOMDocument2* document) {
  AppendProcessingInstruction(document, L"xml", L"version='1.0' encoding='Shift_JIS'");
  const ComPtr<IXMLDOMElement> root = CreateElement(document, L"Moravane");
  SetAttribute(document, root.Get(), L"version", L"1.0.0");
  const ComPtr<IXMLDOMElement> config = CreateElement(document, L"config");
  AppendChild(root.Get(), config.Get());
  AppendChild(document, root.Get());
}

bool LoadFile(IXMLDOMDocument2* document, const std::wstring& path) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return false;
  const std::optional<std::wstring> markup = DecodeXmlFile(*bytes);
  return markup && LoadMarkup(document, *markup);
}

void RequirePlainKey(std::wstring_view key) {
  if (!IsPlainKey(key)) throw SettingsError("a setting's name is not a plain element name", E_INVALIDARG);
}

void RequireXmlText(std::wstring_view text) {
  if (!IsXmlText(text)) throw SettingsError("a setting holds a character no XML file can carry", E_INVALIDARG);
}

}  // namespace

SettingsStore::SettingsStore(std::wstring path, std::wstring progId)
    : path_(std::move(path)), progId_(std::move(progId)) {}

SettingsStore::SettingsStore(SettingsStore&&) noexcept = default;
SettingsStore& SettingsStore::operator=(SettingsStore&&) noexcept = default;
SettingsStore::~SettingsStore() = default;

LoadResult SettingsStore::LoadSettings() {
  ComPtr<IXMLDOMDocument2> document = CreateXmlDocument(progId_);
  if (LoadFile(document.Get(), path_)) {
    document_ = std::move(document);
    return {SettingsOrigin::Loaded, S_OK};
  }
  LoadResult result{SettingsOrigin::Created, S_OK};
  if (PathExists(path_)) {
    // Rebuilding the skeleton over a file that did not load would silently throw away whatever
    // the user had in it.
    try {
      CopyToBackup(path_, BackupPath());
      result.origin = SettingsOrigin::ReplacedDamaged;
    } catch (const SettingsBackupError& error) {
      // Without a copy the file stays as it is; the program still runs, on the fallbacks.
      result.origin = SettingsOrigin::KeptUnreadable;
      keptUnreadable_ = error.Result();
    }
  }
  BuildSkeleton(document.Get());
  document_ = std::move(document);
  if (result.origin == SettingsOrigin::KeptUnreadable) return result;
  try {
    SaveSettings();
  } catch (const SettingsError& error) {
    result.skeletonSaveResult = error.Result();
  }
  return result;
}

void SettingsStore::SaveSettings() const {
  if (!document_) throw SettingsError("the settings were never loaded", E_UNEXPECTED);
  if (FAILED(keptUnreadable_)) {
    throw SettingsError("the settings file could not be read or backed up at start and is kept as it was",
                        keptUnreadable_);
  }
  ReplaceFileContents(path_, WriteShiftJisXml(document_.Get()));
}

std::int32_t SettingsStore::GetSettingInt(std::wstring_view key, std::int32_t fallback) const {
  if (!IsPlainKey(key)) return fallback;
  const ComPtr<IXMLDOMNode> node = SelectSingleNode(document_.Get(), std::wstring(kConfigPath) + L"/" + std::wstring(key));
  return node ? ParseSettingInt(NodeText(node.Get())) : fallback;
}

std::wstring SettingsStore::GetSettingString(std::wstring_view key, std::wstring_view fallback) const {
  if (!IsPlainKey(key)) return std::wstring(fallback);
  const ComPtr<IXMLDOMNode> node = SelectSingleNode(document_.Get(), std::wstring(kConfigPath) + L"/" + std::wstring(key));
  return node ? NodeText(node.Get()) : std::wstring(fallback);
}

void SettingsStore::SetSettingInt(std::wstring_view key, std::int32_t value) {
  SetSettingString(key, std::to_wstring(value));
}

void SettingsStore::SetSettingString(std::wstring_view key, std::wstring_view text) {
  RequirePlainKey(key);
  RequireXmlText(text);
  const ComPtr<IXMLDOMNode> config = RequireConfig();
  if (const ComPtr<IXMLDOMNode> existing = SelectSingleNode(config.Get(), L"./" + std::wstring(key))) {
    SetText(existing.Get(), text);
    return;
  }
  const ComPtr<IXMLDOMElement> element = CreateElement(document_.Get(), key);
  SetText(element.Get(), text);
  AppendChild(config.Get(), element.Get());
}

std::vector<std::wstring> SettingsStore::ReadIgnoreList() const {
  std::vector<std::wstring> entries;
  for (const ComPtr<IXMLDOMNode>& node : SelectNodes(document_.Get(), kIgnoreEntriesPath)) {
    entries.push_back(NodeText(node.Get()));
  }
  return entries;
}

void SettingsStore::WriteIgnoreList(const std::vector<std::wstring>& entries) {
  for (const std::wstring& entry : entries) RequireXmlText(entry);
  const ComPtr<IXMLDOMNode> config = RequireConfig();
  // The new list is built before the old one goes, so a failure while building it changes nothing.
  const ComPtr<IXMLDOMElement> ignore = CreateElement(document_.Get(), L"ignore");
  for (const std::wstring& entry : entries) {
    const ComPtr<IXMLDOMElement> suffix = CreateElement(document_.Get(), L"suffix");
    SetText(suffix.Get(), entry);
    AppendChild(ignore.Get(), suffix.Get());
  }
  if (const ComPtr<IXMLDOMNode> old = SelectSingleNode(config.Get(), L"./ignore")) {
    RemoveChild(config.Get(), old.Get());
  }
  AppendChild(config.Get(), ignore.Get());
}

SettingsStore::Snapshot SettingsStore::TakeSnapshot() const {
  Snapshot snapshot;
  if (const ComPtr<IXMLDOMNode> config = SelectSingleNode(document_.Get(), kConfigPath))
    snapshot.config_ = CloneDeep(config.Get());
  return snapshot;
}

void SettingsStore::Restore(const Snapshot& snapshot) {
  // Without config nothing could be written since (every setter needs it).
  if (!snapshot.config_) return;
  const ComPtr<IXMLDOMNode> config = RequireConfig();
  // A copy goes in, so the snapshot can be restored again.
  ReplaceChild(ParentNode(config.Get()).Get(), CloneDeep(snapshot.config_.Get()).Get(), config.Get());
}

ComPtr<IXMLDOMNode> SettingsStore::RequireConfig() const {
  if (!document_) throw SettingsError("the settings were never loaded", E_UNEXPECTED);
  ComPtr<IXMLDOMNode> config = SelectSingleNode(document_.Get(), kConfigPath);
  if (!config) throw SettingsError("the settings file has no config element", HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  return config;
}

}  // namespace zentrel
