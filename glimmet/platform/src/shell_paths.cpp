#include "glimmet/platform/shell_paths.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "glimmet/platform/unique_handle.h"

namespace glimmet::platform {

std::wstring SpecialFolder(int csidl) {
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, 0, buffer))) return {};
  return buffer;
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      return path.substr(0, path.find_last_of(L'\\'));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring BesideProgram(const std::wstring& fileName) { return ProgramFolder() + L"\\" + fileName; }

bool OpenWithExplorer(const std::wstring& address) {
  std::wstring commandLine = L"explorer.exe " + address;
  STARTUPINFOW startup{sizeof(startup)};
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  KernelHandle process(info.hProcess), thread(info.hThread);
  return true;
}

}  // namespace glimmet::platform
