// Tab controls: a TCITEMW record and a text block in the tab control's process. The reader does
// not pump messages: a tab control has few items.
#include <windows.h>
#include <commctrl.h>

#include "glimmet/capture/readers.h"
#include "glimmet/core/remote_layouts.h"
#include "glimmet/platform/bounded_message.h"
#include "item_text.h"

namespace glimmet::capture {
namespace {

static_assert(sizeof(void*) == 4 || (sizeof(TCITEMW) == sizeof(layout64::TabItem) &&
                                     offsetof(TCITEMW, pszText) == offsetof(layout64::TabItem, text)),
              "the 64-bit record is the system's TCITEMW");

constexpr int kTabChars = 256;

}  // namespace

ReadResult ReadTabControl(const ReaderContext& context) {
  HWND tab = context.PointWindow();
  ReadResult result{L"", std::wstring(label::kTcmGetItem)};
  const LRESULT count = platform::SendBounded(tab, TCM_GETITEMCOUNT).value_or(0);
  const platform::RemoteProcess process = platform::RemoteProcess::OfWindow(tab);
  const RemoteBytes probe = PackTabTextQuery(process.TargetBitness(), 0, 0);
  platform::RemoteBlock record(process, probe.size());
  platform::RemoteBlock text(process, sizeof(wchar_t) * kTabChars);
  for (LRESULT i = 0; record && text && i < count; ++i) {
    const RemoteBytes query = PackTabTextQuery(process.TargetBitness(), text.Address(), kTabChars);
    if (!record.Write(query.data(), query.size()) || !ClearRemoteText(text)) continue;
    if (!platform::SendBounded(tab, TCM_GETITEMW, static_cast<WPARAM>(i), record.AsParameter())) {
      result.text += kInterruptionMark;
      break;
    }
    result.text += ReadRemoteText(text, kTabChars) + L"\r\n";
  }
  context.Progress(std::to_wstring(count) + L"/-");
  return result;
}

}  // namespace glimmet::capture
