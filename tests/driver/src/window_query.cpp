#include "guidriver/window_query.h"

#include "guidriver/driver_error.h"
#include "guidriver/messages.h"

namespace guidriver {

bool WindowQuery::Matches(const WindowInfo& window) const {
  if (visibleOnly && !window.visible) return false;
  if (!className.empty() && window.className != className) return false;
  if (caption && window.caption != *caption) return false;
  if (captionPrefix && window.caption.compare(0, captionPrefix->size(), *captionPrefix) != 0)
    return false;
  return true;
}

std::string WindowQuery::Describe() const {
  std::string text = visibleOnly ? "a visible top-level window" : "a top-level window";
  if (!className.empty()) text += " of class '" + Utf8(className) + "'";
  if (caption) text += " with caption '" + Utf8(*caption) + "'";
  if (captionPrefix) text += " with a caption starting '" + Utf8(*captionPrefix) + "'";
  if (processId) text += " of process " + std::to_string(processId);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::wstring WindowText(HWND window) {
  const auto length = static_cast<size_t>(Send(window, WM_GETTEXTLENGTH));
  std::wstring text(length + 1, L'\0');
  const auto copied = static_cast<size_t>(
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied < length ? copied : length);
  return text;
}

namespace {

struct EnumState {
  DWORD processId;
  std::vector<WindowInfo>* windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (state->processId && owner != state->processId) return TRUE;
  WindowInfo info;
  info.handle = window;
  info.className = ClassName(window);
  // A top-level caption is kept by the system, so reading it never waits on the target.
  wchar_t caption[512] = {};
  ::InternalGetWindowText(window, caption, 512);
  info.caption = caption;
  info.visible = ::IsWindowVisible(window) != FALSE;
  state->windows->push_back(std::move(info));
  return TRUE;
}

}  // namespace

std::vector<WindowInfo> TopLevelWindows(DWORD processId) {
  std::vector<WindowInfo> windows;
  EnumState state{processId, &windows};
  ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return windows;
}

std::string DescribeWindows(const std::vector<WindowInfo>& windows) {
  if (windows.empty()) return "no top-level windows";
  std::string text;
  for (const auto& window : windows) {
    if (!text.empty()) text += ", ";
    text += Utf8(window.className) + " '" + Utf8(window.caption) + "'" +
            (window.visible ? "" : " (hidden)");
  }
  return text;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
  for (const auto& window : TopLevelWindows(query.processId)) {
    if (query.Matches(window)) return window.handle;
  }
  return nullptr;
}

HWND WaitForTopLevelWindow(const WindowQuery& query, Milliseconds timeout) {
  HWND found = nullptr;
  auto result = WaitUntil([&] { return (found = FindTopLevelWindow(query)) != nullptr; },
                          query.Describe(),
                          [&] { return DescribeWindows(TopLevelWindows(query.processId)); }, timeout);
  if (!result) throw DriverError(result.message());
  return found;
}

HWND WaitForDialog(const std::wstring& caption, DWORD processId, Milliseconds timeout) {
  WindowQuery query;
  query.processId = processId;
  query.className = L"#32770";
  query.caption = caption;
  return WaitForTopLevelWindow(query, timeout);
}

testing::AssertionResult WaitUntilGone(HWND window, Milliseconds timeout) {
  return WaitUntil([&] { return !::IsWindow(window); },
                   "window '" + Utf8(ClassName(window)) + "' to go away",
                   [&] {
                     wchar_t caption[512] = {};
                     ::InternalGetWindowText(window, caption, 512);
                     return "it is still there with caption '" + Utf8(caption) + "'";
                   },
                   timeout);
}

testing::AssertionResult WaitForText(HWND window, const std::wstring& text, Milliseconds timeout) {
  std::wstring last;
  return WaitUntil([&] { return (last = WindowText(window)) == text; },
                   "the text '" + Utf8(text) + "'", [&] { return "'" + Utf8(last) + "'"; }, timeout);
}

HWND Control(HWND parent, int id) {
  HWND control = ::GetDlgItem(parent, id);
  if (!control) {
    // Controls that sit in a container (a frame) are found among the descendants.
    struct Search {
      int id;
      HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          if (::GetDlgCtrlID(child) != s->id) return TRUE;
          s->found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    control = search.found;
  }
  if (!control) {
    ThrowLastError("no control " + std::to_string(id) + " in window '" +
                   Utf8(WindowText(parent)) + "'");
  }
  return control;
}

std::wstring MessageBoxText(HWND box) { return WindowText(Control(box, 0xFFFF)); }

}  // namespace guidriver
