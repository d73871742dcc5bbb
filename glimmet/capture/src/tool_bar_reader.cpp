// Toolbars: each button's record, then its text by command id, through one block in the
// toolbar's process. A text longer than the block gets a block of its own size for that one
// button and is then cut, so the control never writes past a buffer.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "glimmet/capture/readers.h"
#include "glimmet/core/remote_layouts.h"
#include "glimmet/platform/bounded_message.h"
#include "item_text.h"

namespace glimmet::capture {
namespace {

static_assert(sizeof(void*) == 4 || (sizeof(TBBUTTON) == sizeof(layout64::ToolButton) &&
                                     offsetof(TBBUTTON, idCommand) == offsetof(layout64::ToolButton, command)),
              "the 64-bit record is the system's TBBUTTON");

constexpr std::size_t kButtonChars = 121;  // 120 characters and the terminating zero

}  // namespace

ReadResult ReadToolBar(const ReaderContext& context) {
  HWND toolBar = context.PointWindow();
  ReadResult result{L"", std::wstring(label::kTbGetButton)};
  const LRESULT count = platform::SendBounded(toolBar, TB_BUTTONCOUNT).value_or(0);
  const platform::RemoteProcess process = platform::RemoteProcess::OfWindow(toolBar);
  const std::size_t buttonSize = ToolButtonSize(process.TargetBitness());
  platform::RemoteBlock block(process, std::max(buttonSize, kButtonChars * sizeof(wchar_t)));
  for (LRESULT i = 0; block && i < count; ++i) {
    std::wstring text;
    const auto got = platform::SendBounded(toolBar, TB_GETBUTTON, static_cast<WPARAM>(i), block.AsParameter());
    if (!got) {
      result.text += kInterruptionMark;
      break;
    }
    if (*got > 0) {
      RemoteBytes button(buttonSize);
      block.Read(button.data(), button.size());
      const WPARAM command = static_cast<WPARAM>(ToolButtonCommand(button));
      const LRESULT length = platform::SendBounded(toolBar, TB_GETBUTTONTEXTW, command, 0).value_or(-1);
      if (length > 0) {
        const std::size_t chars = static_cast<std::size_t>(length) + 1;
        platform::RemoteBlock larger;
        if (chars > kButtonChars) larger = platform::RemoteBlock(process, chars * sizeof(wchar_t));
        platform::RemoteBlock& target = chars > kButtonChars ? larger : block;
        if (target && ClearRemoteText(target) &&
            platform::SendBounded(toolBar, TB_GETBUTTONTEXTW, command, target.AsParameter()).value_or(0) > 0) {
          text = ReadRemoteText(target, std::max(chars, kButtonChars)).substr(0, kButtonChars - 1);
        }
      }
    }
    result.text += text + L"\r\n";
    context.Progress(ProgressText(i + 1, count));
    context.Pump();
  }
  return result;
}

}  // namespace glimmet::capture
