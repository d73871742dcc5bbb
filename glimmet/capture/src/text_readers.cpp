// Readers of single texts: edits, tool tips, hints, dialogs and the text at the point.
#include "glimmet/capture/page_reader.h"
#include "glimmet/capture/readers.h"
#include "glimmet/platform/bounded_message.h"
#include "glimmet/platform/window_at_point.h"
#include "glimmet/platform/window_text.h"
#include "glimmet/reports/window_search.h"

namespace glimmet::capture {
namespace {

constexpr std::size_t kGetTextChars = 4096;

bool IsNoText(const std::wstring& text) { return text.empty() || text == kAccessibleError; }

}  // namespace

ReadResult ReadEdit(const ReaderContext& context) {
  HWND window = context.PointWindow();
  if (platform::IsPasswordEdit(window)) return {};
  std::wstring text = platform::WindowTextByMessage(window, kGetTextChars);
  if (text.empty()) return {};
  return {std::move(text), std::wstring(label::kWmGetText)};
}

ReadResult ReadToolTip(const ReaderContext&) { return {}; }

std::wstring HintTextOf(const ReaderContext& context, HWND window) {
  if (platform::IsPasswordEdit(window)) return {};
  std::wstring name = context.Accessibility().NameOfWindow(window);
  return name.empty() ? platform::WindowTextByMessage(window, kGetTextChars) : name;
}

ReadResult ReadChildren(const ReaderContext& context, HWND window) {
  std::wstring text = HintTextOf(context, window);
  if (!text.empty()) text += L"\r\n";
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring hint = HintTextOf(context, child);
    if (!hint.empty()) text += hint + L"\r\n";
  }
  return {std::move(text), std::wstring(label::kAccessible)};
}

ReadResult ReadOther(const ReaderContext& context) {
  HWND window = context.PointWindow();
  std::wstring text = context.Accessibility().TextOfWindow(window, context.settings.treeviewIndent == 1);
  if (!IsNoText(text)) return {std::move(text), std::wstring(label::kAccessible)};
  return ReadChildren(context, window);
}

ReadResult TextAtPoint(const ReaderContext& context, int x, int y, bool firstLineOnly) {
  // The control the user sees there: a group box over it does not answer for it.
  HWND window = platform::VisibleWindowAtPoint(POINT{x, y});
  if (platform::IsPasswordEdit(window)) return {};
  const std::wstring className = platform::ClassNameOf(window);
  // A form field of a web page: what the user typed, which no window message gives.
  if (EqualsIgnoringCase(className, L"Internet Explorer_Server")) {
    std::wstring value = ValueAtPoint(context, x, y);
    if (!value.empty()) return {std::move(value), std::wstring(label::kValue)};
  }
  const auto accessibility = context.Accessibility();
  std::wstring text = ContainsIgnoringCase(className, L"edit") ? accessibility.ValueAtPoint(x, y)
                                                                                   : accessibility.NameAtPoint(x, y);
  if (!text.empty()) {
    if (firstLineOnly) text = text.substr(0, text.find(L"\r\n"));
    return {std::move(text), std::wstring(label::kAccessible)};
  }
  text = platform::WindowTextByMessage(window, kGetTextChars);
  if (text.empty()) return {};
  return {std::move(text), std::wstring(label::kWmGetText)};
}

std::wstring CurrentTooltipText(const ReaderContext& context) {
  for (const wchar_t* filter : {L"tooltip", L"vbbubblert6"}) {
    const auto windows = reports::FindTopWindows(filter, L"");
    if (!windows.empty()) return HintTextOf(context, windows.front());
  }
  return {};
}

bool IsNtPlatform() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  return ::GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace glimmet::capture
