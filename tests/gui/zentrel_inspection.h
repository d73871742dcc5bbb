// Zentrel with files to inspect: settings written before it starts, drops onto its result list, and
// the texts a drop shows.
#pragma once

#include "fixture_tree.h"
#include "zentrel_shell.h"

#include <string>
#include <vector>

namespace zentrel_ui {

inline const std::wstring kTitleDone = L"Zentrel - \x5b8c\x4e86\x3057\x307e\x3057\x305f\x3002";
inline const std::wstring kReadFailed =
    L"\x30d5\x30a1\x30a4\x30eb\x306e\x8aad\x307f\x8fbc\x307f\x306b\x5931\x6557\x3057\x307e\x3057\x305f";

// "File or folder not found", a line break, then the path.
inline const std::wstring kNotFound =
    L"\x30d5\x30a1\x30a4\x30eb\x307e\x305f\x306f\x30d5\x30a9\x30eb\x30c0\x304c\x898b\x3064\x304b\x308a\x307e\x305b"
    L"\x3093\n";

// The program is started by each test once its settings file and sample files are in place.
class ZentrelInspectionTest : public ZentrelTest {
 protected:
  void SetUp() override {}

  // Writes "Zentrel.config" with `config` as the content of its config element.
  void WriteSettings(const std::string& config) const {
    guidriver::WriteFileBytes(folder_.File(kConfigFile),
                              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                              "<Moravane version=\"1.0.0\"><config>" +
                                  config + "</config></Moravane>\r\n");
  }

  // A folder for samples beside the settings file, so they never match a filter by accident.
  std::wstring SampleFolder(const std::wstring& name = L"tree") const {
    const std::wstring path = folder_.File(name);
    ::CreateDirectoryW(path.c_str(), nullptr);
    return path;
  }

  guidriver::RemoteListView List() const { return guidriver::RemoteListView(Item(kResultList)); }

  // Drops `paths` on the list and waits for the title that ends every drop.
  testing::AssertionResult DropAndWait(const std::vector<std::wstring>& paths) const {
    guidriver::SetText(main_, L"Zentrel");  // so the wait sees this drop's title, not the last one's
    guidriver::PostDrop(Item(kResultList), paths);
    return guidriver::WaitForText(main_, kTitleDone);
  }
};

}  // namespace zentrel_ui
