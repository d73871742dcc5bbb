#include "tool_tips.h"

#include <commctrl.h>

#include <vector>

namespace glimmet::shell {
namespace {

TTTOOLINFOW ToolOf(HWND owner, HWND control) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  return tool;
}

}  // namespace

void ToolTips::Create(HINSTANCE instance, HWND owner) {
  owner_ = owner;
  tips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            instance, nullptr);
  // Long texts (the character statistics) wrap instead of running off the screen.
  ::SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 600);
}

void ToolTips::Add(HWND control, const std::wstring& text) {
  TTTOOLINFOW tool = ToolOf(owner_, control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::SetText(HWND control, const std::wstring& text) {
  TTTOOLINFOW tool = ToolOf(owner_, control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring ToolTips::Text(HWND control) const {
  std::vector<wchar_t> buffer(1024);
  TTTOOLINFOW tool = ToolOf(owner_, control);
  tool.lpszText = buffer.data();
  ::SendMessageW(tips_, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
  return buffer.data();
}

}  // namespace glimmet::shell
