// List boxes, combo boxes and drop lists: item by item through the wide messages, which the
// system copies across processes itself.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "glimmet/capture/readers.h"
#include "glimmet/platform/bounded_message.h"
#include "glimmet/platform/window_text.h"
#include "item_text.h"

namespace glimmet::capture {
namespace {

// An item longer than this many characters is cut (the buffer of a list item is 1024 with its
// terminating zero); the message still gets a buffer as long as the item, so nothing overflows.
constexpr std::size_t kItemChars = 1023;

struct ItemMessages {
  UINT count, length, text;
  std::wstring_view label;
  LONG hasStrings;  // the style bit that keeps texts in an owner-drawn list
};

constexpr ItemMessages kListBoxMessages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, label::kLbGetText, LBS_HASSTRINGS};
constexpr ItemMessages kComboBoxMessages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, label::kCbGetLbText,
                                         CBS_HASSTRINGS};

// An owner-drawn list without the has-strings style keeps no texts: its text messages answer with
// the item data (a pointer of the program), which must not be shown as characters. The owner-draw
// bits are the same for list boxes and combo boxes.
bool KeepsNoTexts(HWND window, const ItemMessages& messages) {
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0 && (style & messages.hasStrings) == 0;
}

// Reads `window`; the read stops when the pointer leaves the window it rested on.
ReadResult ReadItems(const ReaderContext& context, HWND window, const ItemMessages& messages) {
  const HWND pointed = context.PointWindow();
  ReadResult result{L"", std::wstring(messages.label)};
  if (KeepsNoTexts(window, messages)) return result;
  const LRESULT count = platform::SendBounded(window, messages.count).value_or(0);
  std::vector<wchar_t> buffer;
  for (LRESULT i = 0; i < count; ++i) {
    if (context.PointWindow() != pointed) {
      result.text += kInterruptionMark;
      break;
    }
    const auto length = platform::SendBounded(window, messages.length, static_cast<WPARAM>(i));
    if (!length) {
      result.text += kInterruptionMark;
      break;
    }
    if (*length < 0) continue;  // the item went away meanwhile
    buffer.assign(std::max<std::size_t>(static_cast<std::size_t>(*length) + 1, kItemChars + 1), L'\0');
    if (!platform::SendBounded(window, messages.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()))) {
      result.text += kInterruptionMark;
      break;
    }
    result.text += TextBeforeZero(buffer.data(), buffer.size(), kItemChars);
    result.text += L"\r\n";
    context.Progress(ProgressText(i, count - 1));
    context.Pump();
  }
  return result;
}

// The items of a combo box; the inner combo of an extended combo box draws the items its parent
// keeps, and the parent answers the same messages with the texts.
ReadResult ReadComboItems(const ReaderContext& context, HWND combo) {
  HWND parent = ::GetParent(combo);
  if (KeepsNoTexts(combo, kComboBoxMessages) && parent && platform::ClassNameOf(parent) == WC_COMBOBOXEXW) {
    return ReadItems(context, parent, kComboBoxMessages);
  }
  return ReadItems(context, combo, kComboBoxMessages);
}

struct DroppedComboSearch {
  DWORD processId = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindDroppedChild(HWND child, LPARAM context) {
  auto& search = *reinterpret_cast<DroppedComboSearch*>(context);
  if (ClassifyWindowClass(platform::ClassNameOf(child)) != ControlKind::ComboBox) return TRUE;
  if (platform::SendBounded(child, CB_GETDROPPEDSTATE).value_or(FALSE) != TRUE) return TRUE;
  search.found = child;
  return FALSE;
}

BOOL CALLBACK FindDroppedInTopLevel(HWND top, LPARAM context) {
  auto& search = *reinterpret_cast<DroppedComboSearch*>(context);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(top, &processId);
  if (processId == search.processId) ::EnumChildWindows(top, FindDroppedChild, context);
  return search.found == nullptr;
}

// The combo box whose list is dropped now in the process that shows `dropList`: only one list
// drops at a time. Null when none says so.
HWND DroppedComboOf(HWND dropList) {
  DroppedComboSearch search;
  ::GetWindowThreadProcessId(dropList, &search.processId);
  ::EnumWindows(FindDroppedInTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

ReadResult ReadListBox(const ReaderContext& context) {
  return ReadItems(context, context.PointWindow(), kListBoxMessages);
}

ReadResult ReadComboBox(const ReaderContext& context) { return ReadComboItems(context, context.PointWindow()); }

ReadResult ReadComboList(const ReaderContext& context) {
  std::wstring text = context.Accessibility().ReadList(context.settings.treeviewIndent == 1, false);
  if (!text.empty() && text != kAccessibleError) return {std::move(text), std::wstring(label::kAccessible)};
  // No accessible items (some servers give none): the drop list is a list box. When it keeps no
  // texts, its combo box (or the extended combo box around it) may keep them.
  HWND dropList = context.PointWindow();
  if (KeepsNoTexts(dropList, kListBoxMessages)) {
    if (HWND combo = DroppedComboOf(dropList)) return ReadComboItems(context, combo);
  }
  return ReadItems(context, dropList, kListBoxMessages);
}

}  // namespace glimmet::capture
