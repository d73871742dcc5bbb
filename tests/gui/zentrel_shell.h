// Zentrel started in an empty folder of its own, with the ids and texts its main window shows.
#pragma once

#include "guidriver/guidriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zentrel_ui {

// Main dialog controls.
inline constexpr int kResultList = 40006;
inline constexpr int kEncodingGroup = 1000;
inline constexpr int kEncodingCombo = 40016;
inline constexpr int kEolGroup = 1001;
inline constexpr int kEolCombo = 40015;
inline constexpr int kDestinationGroup = 1002;
inline constexpr int kReplaceRadio = 40009;
inline constexpr int kFolderRadio = 40010;
inline constexpr int kOutputEdit = 40011;
inline constexpr int kBrowse = 1004;
inline constexpr int kConvert = 40014;
inline constexpr int kClose = 1003;

// Menus and their commands.
inline constexpr int kMainMenuResource = 109;
inline constexpr int kListMenuResource = 117;
inline constexpr int kMenuSaveList = 40000;
inline constexpr int kMenuSettings = 115;
inline constexpr int kMenuExit = 105;
inline constexpr int kMenuAbout = 104;

// Texts (UTF-16; the program's own are in its resource script).
inline const std::wstring kHeaderFile = L"\x30d5\x30a1\x30a4\x30eb\x540d";
inline const std::wstring kHeaderEncoding = L"\x6587\x5b57\x30b3\x30fc\x30c9";
inline const std::wstring kHeaderEol = L"\x6539\x884c\x30b3\x30fc\x30c9";
inline const std::wstring kHintRow =
    L"\x30d5\x30a1\x30a4\x30eb\x3001\x307e\x305f\x306f\x30d5\x30a9\x30eb\x30c0\x3092\x3053\x3053"
    L"\x306b\x30c9\x30ed\x30c3\x30d7\x3057\x3066\x304f\x3060\x3055\x3044";

inline const std::wstring kConfigFile = L"Zentrel.config";

class ZentrelTest : public testing::Test {
 protected:
  void SetUp() override { Start(); }

  void Start() {
    process_ = std::make_unique<guidriver::Process>(
        guidriver::Process::Start(guidriver::ProgramBesideTest(L"Zentrel.exe"), {}, folder_.Path()));
    main_ = process_->WaitForMainWindow({.className = L"#32770", .caption = L"Zentrel"});
  }

  HWND Item(int id) const { return guidriver::Control(main_, id); }

  guidriver::TempFolder folder_;  // before the process: the process ends first
  std::unique_ptr<guidriver::Process> process_;
  HWND main_ = nullptr;
};

}  // namespace zentrel_ui
