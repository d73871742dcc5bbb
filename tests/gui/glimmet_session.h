// Glimmet started from a scratch folder (Conf.txt lives beside the program), with the ids of the
// form's controls.
#pragma once

#include "glimmet/shell/control_ids.h"
#include "guidriver/guidriver.h"

#include <string>

namespace glimmet_test {

namespace ids = glimmet::shell::ids;

struct GlimmetSession {
  // Copies Glimmet.exe into `folder`, writes `conf` as its Conf.txt unless empty, starts it.
  GlimmetSession(const guidriver::TempFolder& folder, const std::string& conf,
                 const std::wstring& arguments = L"no_start");

  HWND Item(int id) const { return guidriver::Control(main, id); }
  std::wstring ConfPath() const { return folder.File(L"Conf.txt"); }
  // WM_CLOSE, then the exit code.
  DWORD Close();

  const guidriver::TempFolder& folder;
  guidriver::Process process;
  HWND main = nullptr;
};

}  // namespace glimmet_test
