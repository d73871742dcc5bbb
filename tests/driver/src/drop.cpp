#include "guidriver/drop.h"

#include "guidriver/messages.h"
#include "guidriver/remote_buffer.h"

#include <shlobj.h>

#include <cstring>

namespace guidriver {

std::vector<unsigned char> BuildDropBlock(const std::vector<std::wstring>& paths, POINT point) {
  std::wstring list;
  for (const auto& path : paths) {
    list += path;
    list += L'\0';
  }
  list += L'\0';
  if (paths.empty()) list += L'\0';  // an empty list is still double-NUL terminated

  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.pt = point;
  header.fNC = FALSE;
  header.fWide = TRUE;

  std::vector<unsigned char> block(sizeof(header) + list.size() * sizeof(wchar_t));
  std::memcpy(block.data(), &header, sizeof(header));
  std::memcpy(block.data() + sizeof(header), list.data(), list.size() * sizeof(wchar_t));
  return block;
}

void PostDrop(HWND target, const std::vector<std::wstring>& paths, POINT point) {
  const auto block = BuildDropBlock(paths, point);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(target, &processId);
  RemoteBuffer remote(processId, block.size());
  remote.Write(block.data(), block.size());
  Post(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote.Address()), 0);
  remote.Release();
}

}  // namespace guidriver
