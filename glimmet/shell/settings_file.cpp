// Conf.txt beside the program: read into the settings record when the form loads, written back
// when the program ends.
#include "glimmet/shell/control_ids.h"
#include "glimmet/core/conf_file.h"
#include "glimmet/platform/ansi_text.h"
#include "glimmet/platform/file_io.h"
#include "glimmet/platform/shell_paths.h"
#include "main_form.h"

namespace glimmet::shell {
namespace {

constexpr wchar_t kFileName[] = L"Conf.txt";
// A settings file is a few hundred bytes; anything past this is not ours.
constexpr std::size_t kLargestFile = 1 << 20;

ScreenMetrics PrimaryScreen(double twipsPerPixelX, double twipsPerPixelY) {
  return {::GetSystemMetrics(SM_CXSCREEN) * twipsPerPixelX, ::GetSystemMetrics(SM_CYSCREEN) * twipsPerPixelY,
          twipsPerPixelX, twipsPerPixelY};
}

}  // namespace

void MainForm::LoadSettings() {
  noResize_ = true;
  static_cast<StoredSettings&>(settings_) =
      DefaultSettings(PrimaryScreen(settings_.twipsPerPixelX, settings_.twipsPerPixelY));
  // A file that exists but cannot be read keeps the defaults, as a missing one does.
  if (const auto bytes = platform::ReadWholeFile(platform::BesideProgram(kFileName), kLargestFile))
    ApplyConfText(platform::FromAnsi(*bytes), settings_);

  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  placement.showCmd = SW_SHOWNORMAL;
  placement.rcNormalPosition = {settings_.formLeft, settings_.formTop, settings_.formRight, settings_.formBottom};
  ::SetWindowPlacement(Window(), &placement);

  // The colours follow the two modes (see OnControlColor); the tool tips keep their designed text.
  ::InvalidateRect(Item(ids::kMousePosLabel), nullptr, TRUE);
  ::InvalidateRect(Item(ids::kHandleBox), nullptr, TRUE);
  SetCheck(ids::kTurnBackCheck, settings_.turnBack == 1);
  SetCheck(ids::kDetailCheck, settings_.detail == 1);

  settings_.pairIndex = ::SendMessageW(Item(ids::kTurnBackCheck), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  HWND upper = UpperBox(settings_.pairIndex);
  RECT box;
  ::GetWindowRect(upper, &box);
  ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&box), 2);
  ::MoveWindow(upper, box.left, box.top, box.right - box.left,
               static_cast<int>(RoundHalfEven(settings_.topHeight / settings_.twipsPerPixelY)), FALSE);
  noResize_ = false;
  Layout();
}

void MainForm::SaveSettings() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (::GetWindowPlacement(Window(), &placement)) {
    const RECT& normal = placement.rcNormalPosition;
    settings_.formLeft = normal.left;
    settings_.formTop = normal.top;
    settings_.formRight = normal.right;
    settings_.formBottom = normal.bottom;
  }
  settings_.turnBack = ::SendMessageW(Item(ids::kTurnBackCheck), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  // Written whole beside the old file and renamed over it: a failed save keeps the old settings.
  platform::ReplaceFileContents(platform::BesideProgram(kFileName), platform::ToAnsi(ConfText(settings_)).bytes);
}

}  // namespace glimmet::shell
