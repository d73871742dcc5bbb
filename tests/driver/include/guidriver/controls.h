// Reading and setting standard controls (edit, combo box, buttons) of another process, with the
// wide messages the system marshals across processes (the ANSI forms return raw UTF-16 there).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace guidriver {

// Edit or combo box text (WM_SETTEXT). Like a program setting it, not like typing: no EN_CHANGE
// keystroke handling beyond what the control itself sends.
void SetText(HWND control, const std::wstring& text);

// Every item of a combo box (CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT).
std::vector<std::wstring> ComboItems(HWND combo);

// CB_GETCURSEL: the selected index, or -1 (CB_ERR) when nothing is selected.
int ComboSelection(HWND combo);

// Selects an item as the user would: CB_SETCURSEL, then CBN_SELCHANGE posted to the parent
// (the control does not notify its parent of a programmatic selection).
void SelectComboItem(HWND combo, int index);

// Presses a button as a click does (BM_CLICK, posted so that a modal dialog opened by the
// click does not block the driver).
void ClickButton(HWND button);

// Posts WM_COMMAND BN_CLICKED for button `id` of `dialog`: a press that works also where a
// simulated mouse click would not (message box buttons, a window that is not active).
void PressButton(HWND dialog, int id);

bool IsChecked(HWND button);  // BM_GETCHECK == BST_CHECKED
void SetChecked(HWND button, bool checked);  // BM_SETCHECK: state only, the parent is not told
bool IsEnabled(HWND window);

// The window rectangle in the client coordinates of its parent: where a layout placed it.
RECT RectInParent(HWND window);

SIZE ClientSize(HWND window);

}  // namespace guidriver
