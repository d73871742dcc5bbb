#include "glimmet/platform/chime.h"

#include <windows.h>
#include <mmsystem.h>

#include "glimmet/core/path_text.h"
#include "glimmet/platform/file_io.h"
#include "glimmet/platform/shell_paths.h"

namespace glimmet::platform {

void SystemChimePlayer::Play(const std::wstring& path) { ::sndPlaySoundW(path.c_str(), SND_SYNC); }

std::wstring FindChimeFile(const std::wstring& chimeFile) {
  // Resolved as a path relative to the program folder, as every path setting is.
  const std::wstring programFolder = ProgramFolder();
  auto existing = [&](const std::wstring& path) {
    const std::wstring plain = UnquotePath(ResolvePath(path, programFolder, IsFolder(programFolder)));
    return PathExists(plain) ? plain : std::wstring();
  };
  if (auto path = existing(programFolder + L"\\" + chimeFile); !path.empty()) return path;
  return existing(SpecialFolder(36) + L"\\media\\" + chimeFile);
}

}  // namespace glimmet::platform
