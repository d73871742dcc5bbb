// Pictures of every Zentrel dialog and of Glimmet's forms at the display's current DPI, for a
// person to look at (scripts/dpi-screenshots.sh runs this at 96, 144 and 192 DPI under Xvfb).
// Usage: dialog_screenshots.exe PREFIX   (files <build>/screenshots/PREFIX_<window>.bmp)
#include "guidriver/guidriver.h"

#include <cstdio>
#include <string>

using namespace guidriver;

namespace {

constexpr int kZentrelResultList = 40006;
constexpr int kZentrelEncodingCombo = 40016;
constexpr int kZentrelConvert = 40014;
constexpr int kZentrelSettingsCommand = 115;
constexpr int kZentrelAboutCommand = 104;
constexpr int kZentrelExitCommand = 105;
constexpr int kGlimmetSettingLabel = 1081;
const std::wstring kSettingsCaption = L"\x8a2d\x5b9a";
const std::wstring kAboutCaption = L"\x30d0\x30fc\x30b8\x30e7\x30f3\x60c5\x5831";
const std::wstring kProgressCaption = L"\x5909\x63db\x3057\x3066\x3044\x307e\x3059...";
const std::wstring kTitleDone = L"Zentrel - \x5b8c\x4e86\x3057\x307e\x3057\x305f\x3002";

std::wstring prefix;

void Shoot(HWND window, const std::wstring& name) {
  // Painting is the target's lowest-priority work and leaves no sign to wait for; this tool makes
  // pictures for people to look at, so a short pause after asking for a repaint is enough.
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::Sleep(400);
  const auto path = SaveScreenshot(window, prefix + L"_" + name);
  std::printf("%s\n", path ? Utf8(*path).c_str() : "(no display: nothing taken)");
}

void ZentrelDialogs() {
  TempFolder folder;
  WriteFileBytes(folder.File(L"sample.txt"), "line one\r\nline two\r\n");
  auto zentrel = Process::Start(ProgramBesideTest(L"Zentrel.exe"), {}, folder.Path());
  HWND main = zentrel.WaitForMainWindow({.className = L"#32770", .caption = L"Zentrel"});
  PostDrop(Control(main, kZentrelResultList), {folder.File(L"sample.txt")});
  if (!WaitForText(main, kTitleDone)) throw DriverError("the drop did not end");
  Shoot(main, L"zentrel_main");
  // Laid out by the program (WM_SIZE) rather than by the template: a quarter larger each way.
  RECT frame{};
  ::GetWindowRect(main, &frame);
  const SIZE before = ClientSize(main);
  ::SetWindowPos(main, nullptr, 0, 0, (frame.right - frame.left) * 5 / 4, (frame.bottom - frame.top) * 5 / 4,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  WaitUntil([&] { return ClientSize(main).cx > before.cx; }, "the larger window");
  Shoot(main, L"zentrel_main_resized");

  PostCommand(main, kZentrelAboutCommand);
  HWND about = WaitForDialog(kAboutCaption, zentrel.Id());
  Shoot(about, L"zentrel_about");
  PressButton(about, IDOK);
  WaitUntilGone(about);

  PostCommand(main, kZentrelSettingsCommand);
  HWND settings = WaitForDialog(kSettingsCaption, zentrel.Id());
  Shoot(settings, L"zentrel_settings");
  PressButton(settings, IDCANCEL);
  WaitUntilGone(settings);

  // The progress dialog stays open after its job until OK: taken then, with its status rows.
  SelectComboItem(Control(main, kZentrelEncodingCombo), 2);
  ClickButton(Control(main, kZentrelConvert));
  HWND progress = WaitForDialog(kProgressCaption, zentrel.Id());
  WaitUntil([&] { return IsEnabled(Control(progress, IDOK)); }, "the job's end");
  Shoot(progress, L"zentrel_progress");
  PressButton(progress, IDOK);
  WaitUntilGone(progress);
  PostCommand(main, kZentrelExitCommand);
  zentrel.WaitForExit();
}

void GlimmetForm() {
  TempFolder folder;
  const std::wstring program = folder.File(L"Glimmet.exe");
  ::CopyFileW(ProgramBesideTest(L"Glimmet.exe").c_str(), program.c_str(), FALSE);
  auto glimmet = Process::Start(program, L"no_start", folder.Path());
  WindowQuery query;
  query.captionPrefix = L"Glimmet from point ";
  HWND main = glimmet.WaitForMainWindow(query);
  Shoot(main, L"glimmet_main");
  // The "Setting" label opens the settings form.
  Post(main, WM_COMMAND, MAKEWPARAM(kGlimmetSettingLabel, STN_CLICKED),
       reinterpret_cast<LPARAM>(Control(main, kGlimmetSettingLabel)));
  HWND settings = WaitForTopLevelWindow({.processId = glimmet.Id(), .caption = L"Setting"});
  Shoot(settings, L"glimmet_settings");
  PressButton(settings, IDCANCEL);
  WaitUntilGone(settings);
  Post(main, WM_CLOSE);
  glimmet.WaitForExit();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dialog_screenshots.exe PREFIX\n");
    return 2;
  }
  prefix = argv[1];
  try {
    ZentrelDialogs();
    GlimmetForm();
  } catch (const DriverError& error) {
    std::fprintf(stderr, "dialog_screenshots: %s\n", error.what());
    return 1;
  }
  return 0;
}
