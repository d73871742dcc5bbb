// Starts the programs of an unpacked release zip as a user would (from their own folder), waits for
// each main window, closes it the ordinary way and checks the exit code and the settings file each
// program keeps there. Usage: release_smoke.exe FOLDER   (exit 0: both programs ran and closed)
#include "guidriver/guidriver.h"

#include <cstdio>
#include <string>

using namespace guidriver;

namespace {

constexpr int kZentrelExitCommand = 105;

void Check(bool condition, const std::string& what) {
  if (!condition) throw DriverError(what);
  std::printf("ok: %s\n", what.c_str());
}

void RunZentrel(const std::wstring& folder) {
  auto zentrel = Process::Start(folder + L"\\Zentrel.exe", {}, folder);
  HWND main = zentrel.WaitForMainWindow({.className = L"#32770", .caption = L"Zentrel"});
  Check(main != nullptr, "Zentrel shows its main dialog");
  PostCommand(main, kZentrelExitCommand);
  Check(zentrel.WaitForExit() == 0, "Zentrel closes from its menu with exit code 0");
  Check(FileExists(folder + L"\\Zentrel.config"), "Zentrel wrote Zentrel.config in its start-up folder");
}

void RunGlimmet(const std::wstring& folder) {
  auto glimmet = Process::Start(folder + L"\\Glimmet.exe", L"no_start", folder);
  WindowQuery query;
  query.captionPrefix = L"Glimmet from point ";
  HWND main = glimmet.WaitForMainWindow(query);
  Check(main != nullptr, "Glimmet shows its main form");
  Post(main, WM_CLOSE);
  Check(glimmet.WaitForExit() == 0, "Glimmet closes with exit code 0");
  Check(FileExists(folder + L"\\Conf.txt"), "Glimmet wrote Conf.txt beside itself");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: release_smoke.exe FOLDER\n");
    return 2;
  }
  try {
    RunZentrel(argv[1]);
    RunGlimmet(argv[1]);
  } catch (const DriverError& error) {
    std::fprintf(stderr, "release_smoke: %s\n", error.what());
    return 1;
  }
  return 0;
}
