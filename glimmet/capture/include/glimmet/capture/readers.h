#pragma once
// The readers: each turns the window under the pointer (the live pointWindow) into text and the
// label of the message or source the text came from. They never fail loudly: a window that is
// gone, refuses access or does not answer within the bound gives what was read so far, and a
// list that stops early ends with the interruption mark. Texts are read through the wide forms,
// so text outside the system code page arrives intact; a password edit is never read.

#include <windows.h>

#include <string>

#include "glimmet/capture/reader_context.h"
#include "glimmet/core/control_kind.h"

namespace glimmet::capture {

ReadResult ReadEdit(const ReaderContext& context);
ReadResult ReadListBox(const ReaderContext& context);
ReadResult ReadComboBox(const ReaderContext& context);
// The drop list of a combo box: its accessible items, else its list-box messages.
ReadResult ReadComboList(const ReaderContext& context);
// TAB between cells, CR LF after each row; "listview col" 2 reads the first column only.
ReadResult ReadListView(const ReaderContext& context);
// The pointed item and the items below it: accessible items, else the tree's own messages.
ReadResult ReadTreeView(const ReaderContext& context);
ReadResult ReadToolBar(const ReaderContext& context);
ReadResult ReadTabControl(const ReaderContext& context);
ReadResult ReadToolTip(const ReaderContext& context);
ReadResult ReadOther(const ReaderContext& context);
// A window's own hint text and those of its direct children, one a line.
ReadResult ReadChildren(const ReaderContext& context, HWND window);

// The reader of a control kind; the list view's text as CSV when "listview col" is 1. The
// browser kinds have their own reader (page_reader.h) and give nothing here.
ReadResult ReadByKind(ControlKind kind, const ReaderContext& context);

// The text of the upper box: over a web page the value of the form field at the point, else the
// accessible value (edits) or name at the point, else WM_GETTEXT of the window there.
ReadResult TextAtPoint(const ReaderContext& context, int x, int y, bool firstLineOnly);

// The accessible name of a window, else its WM_GETTEXT.
std::wstring HintTextOf(const ReaderContext& context, HWND window);
// The hint text of the first visible tool tip (by handle), empty when none shows.
std::wstring CurrentTooltipText(const ReaderContext& context);

bool IsNtPlatform();

}  // namespace glimmet::capture
