#pragma once
// What every reader is handed: the live settings record (the pointer sample and the running
// flag change while a reader pumps messages, which is how a long read learns to stop), the
// progress box and the message pump of the main form, and the accessibility source.

#include <windows.h>

#include <functional>
#include <string>

#include "glimmet/core/app_settings.h"
#include "glimmet/core/reader_texts.h"
#include "glimmet/reports/accessibility_reader.h"

namespace glimmet::capture {

struct ReaderContext {
  AppSettings& settings;
  std::function<void(const std::wstring&)> showProgress;  // the progress box; may be empty
  std::function<void()> pumpMessages;                      // one turn of the message loop; may be empty
  const reports::AccessibilitySource* accessibility = &reports::SystemAccessibility();

  HWND PointWindow() const { return reinterpret_cast<HWND>(settings.pointWindow); }
  void Progress(const std::wstring& text) const {
    if (showProgress) showProgress(text);
  }
  void Pump() const {
    if (pumpMessages) pumpMessages();
  }
  reports::AccessibilityReader Accessibility() const { return {*accessibility, settings}; }
};

}  // namespace glimmet::capture
