// glimmet_target.exe started once for a test suite, and a reader context aimed at its controls
// the way the capture aims one: the pointer sample names the control and its centre.
#pragma once

#include "glimmet_target.h"
#include "guidriver/guidriver.h"

#include "glimmet/capture/readers.h"

#include <gtest/gtest.h>

#include <memory>

class GlimmetTargetTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    process_ = std::make_unique<guidriver::Process>(
        guidriver::Process::Start(guidriver::ProgramBesideTest(L"glimmet_target.exe")));
    main_ = process_->WaitForMainWindow({.className = L"GlimmetTargetWindow", .caption = glimmet_target::kMainTitle});
    find_ = guidriver::WaitForDialog(glimmet_target::kFindTitle, process_->Id());
  }
  static void TearDownTestSuite() { process_.reset(); }

  void SetUp() override { settings_.running = true; }

  HWND Item(int id) const { return guidriver::Control(main_, id); }

  // The pointer rests on the centre of `window`.
  void PointAt(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    PointAt(window, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }
  void PointAt(HWND window, int x, int y) {
    settings_.pointWindow = reinterpret_cast<std::uintptr_t>(window);
    settings_.pointX = x;
    settings_.pointY = y;
  }

  glimmet::ReadResult ReadPointed() {
    HWND window = context_.PointWindow();
    return glimmet::capture::ReadByKind(glimmet::ClassifyWindowClass(guidriver::ClassName(window)), context_);
  }

  static inline std::unique_ptr<guidriver::Process> process_;
  static inline HWND main_ = nullptr;
  static inline HWND find_ = nullptr;
  glimmet::AppSettings settings_;
  std::wstring progress_;
  glimmet::capture::ReaderContext context_{settings_, [this](const std::wstring& text) { progress_ = text; }, {}};
};
