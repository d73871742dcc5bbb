#include "guidriver/controls.h"

#include "guidriver/driver_error.h"
#include "guidriver/messages.h"

namespace guidriver {

void SetText(HWND control, const std::wstring& text) {
  if (!Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) {
    throw DriverError("the control refused the text '" + Utf8(text) + "'");
  }
}

std::vector<std::wstring> ComboItems(HWND combo) {
  const auto count = Send(combo, CB_GETCOUNT);
  if (count == CB_ERR) throw DriverError("CB_GETCOUNT failed: not a combo box?");
  std::vector<std::wstring> items;
  for (WPARAM index = 0; index < static_cast<WPARAM>(count); ++index) {
    const auto length = Send(combo, CB_GETLBTEXTLEN, index);
    if (length == CB_ERR) throw DriverError("CB_GETLBTEXTLEN failed for item " + std::to_string(index));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    items.push_back(std::move(text));
  }
  return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(Send(combo, CB_GETCURSEL)); }

void SelectComboItem(HWND combo, int index) {
  if (Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index)) != index) {
    throw DriverError("combo box has no item " + std::to_string(index));
  }
  const int id = ::GetDlgCtrlID(combo);
  Post(::GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void ClickButton(HWND button) { Post(button, BM_CLICK); }

void PressButton(HWND dialog, int id) {
  Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool IsChecked(HWND button) { return Send(button, BM_GETCHECK) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
  Send(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool IsEnabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

RECT RectInParent(HWND window) {
  RECT rect{};
  if (!::GetWindowRect(window, &rect)) ThrowLastError("GetWindowRect failed");
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  if (!::GetClientRect(window, &rect)) ThrowLastError("GetClientRect failed");
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace guidriver
