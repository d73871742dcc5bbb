// The driver's fixture program, started in a fresh folder for each test.
#pragma once

#include "guidriver/guidriver.h"

#include <gtest/gtest.h>

#include <memory>

namespace fixture {

// Ids of driver_target.exe's controls and menu items.
inline constexpr int kList = 1001;
inline constexpr int kEdit = 1002;
inline constexpr int kCombo = 1003;
inline constexpr int kAsk = 1004;
inline constexpr int kOption = 1005;
inline constexpr int kDisabled = 1006;
inline constexpr int kSub = 1007;
inline constexpr int kMenuMark = 2000;
inline constexpr int kMenuExit = 2001;
inline constexpr int kSpawnCopy = 2003;

class DriverTargetTest : public testing::Test {
 protected:
  void StartTarget(const std::wstring& arguments = {}) {
    process_ = std::make_unique<guidriver::Process>(guidriver::Process::Start(
        guidriver::ProgramBesideTest(L"driver_target.exe"), arguments, folder_.Path()));
    window_ = process_->WaitForMainWindow({.className = L"#32770", .caption = L"Driver Target"});
  }
  void SetUp() override { StartTarget(); }

  HWND Item(int id) const { return guidriver::Control(window_, id); }

  guidriver::TempFolder folder_;  // before the process: the process ends first
  std::unique_ptr<guidriver::Process> process_;
  HWND window_ = nullptr;
};

}  // namespace fixture
