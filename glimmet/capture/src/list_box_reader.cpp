// List boxes, combo boxes and drop lists: item by item through the wide messages, which the
// system copies across processes itself.
#include <algorithm>
#include <vector>

#include "glimmet/capture/readers.h"
#include "glimmet/platform/bounded_message.h"
#include "item_text.h"

namespace glimmet::capture {
namespace {

// An item longer than this many characters is cut (the buffer of a list item is 1024 with its
// terminating zero); the message still gets a buffer as long as the item, so nothing overflows.
constexpr std::size_t kItemChars = 1023;

struct ItemMessages {
  UINT count, length, text;
  std::wstring_view label;
};

constexpr ItemMessages kListBoxMessages{LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, label::kLbGetText};
constexpr ItemMessages kComboBoxMessages{CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, label::kCbGetLbText};

ReadResult ReadItems(const ReaderContext& context, HWND window, const ItemMessages& messages) {
  ReadResult result{L"", std::wstring(messages.label)};
  const LRESULT count = platform::SendBounded(window, messages.count).value_or(0);
  std::vector<wchar_t> buffer;
  for (LRESULT i = 0; i < count; ++i) {
    if (context.PointWindow() != window) {
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

}  // namespace

ReadResult ReadListBox(const ReaderContext& context) {
  return ReadItems(context, context.PointWindow(), kListBoxMessages);
}

ReadResult ReadComboBox(const ReaderContext& context) {
  return ReadItems(context, context.PointWindow(), kComboBoxMessages);
}

ReadResult ReadComboList(const ReaderContext& context) {
  std::wstring text = context.Accessibility().ReadList(context.settings.treeviewIndent == 1, false);
  if (!text.empty() && text != kAccessibleError) return {std::move(text), std::wstring(label::kAccessible)};
  // No accessible items (some servers give none): the drop list is a list box.
  return ReadItems(context, context.PointWindow(), kListBoxMessages);
}

}  // namespace glimmet::capture
