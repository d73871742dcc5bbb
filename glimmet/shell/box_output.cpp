// What happens to a text on its way into a box and out of it: the cut of over-long texts with the
// desktop file, copying to the clipboard, and the character statistics.
#include "glimmet/shell/control_ids.h"
#include "glimmet/core/box_text.h"
#include "glimmet/core/char_stats.h"
#include "glimmet/platform/ansi_text.h"
#include "glimmet/platform/chime.h"
#include "glimmet/platform/clipboard.h"
#include "glimmet/platform/file_io.h"
#include "glimmet/platform/shell_paths.h"
#include "main_form.h"
#include "text_ids.h"

namespace glimmet::shell {
namespace {

constexpr int kDesktopFolder = 16;  // CSIDL_DESKTOPDIRECTORY

// The whole text as one line in the ANSI code page; UTF-8 with a byte-order mark when some
// character has no form there, so nothing is lost.
std::string DesktopFileBytes(const std::wstring& text) {
  const std::wstring line = text + L"\r\n";
  auto ansi = platform::ToAnsi(line);
  if (ansi.complete) return std::move(ansi.bytes);
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8 = "\xEF\xBB\xBF";
  utf8.resize(3 + size);
  ::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data() + 3, size, nullptr, nullptr);
  return utf8;
}

}  // namespace

void MainForm::SetBoxText(HWND box, const std::wstring& text, int fileTextId) {
  if (!IsOverBoxLimit(text)) {
    SetControlText(box, text);
    return;
  }
  std::optional<std::wstring> saved;
  if (settings_.toFile == 1) {
    const std::wstring fileName = Text(fileTextId);
    const std::wstring desktop = platform::SpecialFolder(kDesktopFolder);
    if (!desktop.empty() && platform::ReplaceFileContents(desktop + L"\\" + fileName, DesktopFileBytes(text)))
      saved = fileName;
  }
  SetControlText(box, CutBoxText(text, saved));
}

void MainForm::CopyOnClick(HWND box) {
  if (settings_.clipboard != 1) return;
  platform::PutTextOnClipboard(Window(), ControlText(box));
  SetControlText(Item(ids::kMsgLabel), Text(IDS_COPIED));
}

void MainForm::CopySelection(HWND box) {
  DWORD start = 0, end = 0;
  ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring text = ControlText(box);
  if (start > text.size()) start = static_cast<DWORD>(text.size());
  if (end > text.size()) end = static_cast<DWORD>(text.size());
  platform::PutTextOnClipboard(Window(), text.substr(start, end > start ? end - start : 0));
}

void MainForm::UpdateCharStatsTip(HWND changedBox) {
  const int id = ::GetDlgCtrlID(changedBox);
  const bool upper = id == ids::kUpperBox || id == ids::kUpperBox + 1;
  const std::wstring text = ControlText(upper ? UpperBox(settings_.pairIndex) : LowerBox(settings_.pairIndex));
  const std::wstring tip = CharStatsTip(CountCharStats(text, platform::AnsiLength(text)));
  tips_.SetText(changedBox, tip);
}

void MainForm::RunEndOfRunOutput() {
  static constexpr UINT kMessages[] = {IDS_END_NONE, IDS_END_CLICK, IDS_END_UPPER, IDS_END_LOWER};
  if (settings_.clipboard < 0 || settings_.clipboard > 3) return;
  if (settings_.clipboard == 2) platform::PutTextOnClipboard(Window(), ControlText(UpperBox(settings_.pairIndex)));
  if (settings_.clipboard == 3) platform::PutTextOnClipboard(Window(), ControlText(LowerBox(settings_.pairIndex)));
  SetControlText(Item(ids::kMsgLabel), Text(kMessages[settings_.clipboard]));
}

void MainForm::PlayChime() {
  const std::wstring path = platform::FindChimeFile(settings_.chimeFile);
  if (path.empty()) return;
  chime_->Play(path);
  PumpMessages();
}

}  // namespace glimmet::shell
