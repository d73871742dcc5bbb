#pragma once
// The action test: runs the default action or a selection of the accessible object under the
// pointer while the action key is held, so the user can check what a program's accessibility
// server really does. Failures are told through message boxes.

#include <functional>
#include <string>

#include "glimmet/reports/accessibility_source.h"

namespace glimmet::reports {

using MessageSink = std::function<void(const std::wstring&)>;

// kind 1: accDoDefaultAction; 2: accSelect(SELFLAG_TAKEFOCUS); 3: accSelect(SELFLAG_TAKESELECTION);
// anything else does nothing. `show` receives the message box texts.
void RunActionTest(int kind, const AccessibleRef& ref, const MessageSink& show);

// A message box with no owner and only an OK button.
void ShowActionMessage(const std::wstring& text);

}  // namespace glimmet::reports
