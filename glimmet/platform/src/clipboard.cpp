#include "glimmet/platform/clipboard.h"

#include <cstring>

namespace glimmet::platform {
namespace {

// Owns the clipboard while open.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = ::OpenClipboard(owner) != FALSE;
      if (!open_) ::Sleep(10);
    }
  }
  ~OpenedClipboard() {
    if (open_) ::CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_ = false;
};

// A global memory block until the clipboard takes it over.
struct GlobalBlock {
  HGLOBAL block;
  ~GlobalBlock() {
    if (block) ::GlobalFree(block);
  }
};

}  // namespace

bool PutTextOnClipboard(HWND owner, std::wstring_view text) {
  OpenedClipboard clipboard(owner);
  if (!clipboard) return false;
  ::EmptyClipboard();
  GlobalBlock memory{::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))};
  if (!memory.block) return false;
  auto* target = static_cast<wchar_t*>(::GlobalLock(memory.block));
  if (!target) return false;
  std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
  target[text.size()] = L'\0';
  ::GlobalUnlock(memory.block);
  if (!::SetClipboardData(CF_UNICODETEXT, memory.block)) return false;
  memory.block = nullptr;  // the clipboard owns it now
  return true;
}

}  // namespace glimmet::platform
