#pragma once
// One tool-tip control for all of the form's controls; each control's tip can be changed later.

#include <windows.h>

#include <string>

namespace glimmet::shell {

class ToolTips {
 public:
  ToolTips() = default;
  ToolTips(const ToolTips&) = delete;
  ToolTips& operator=(const ToolTips&) = delete;

  void Create(HINSTANCE instance, HWND owner);
  void Add(HWND control, const std::wstring& text);
  void SetText(HWND control, const std::wstring& text);
  std::wstring Text(HWND control) const;
  HWND Handle() const { return tips_; }

 private:
  HWND tips_ = nullptr;  // destroyed with its owner
  HWND owner_ = nullptr;
};

}  // namespace glimmet::shell
