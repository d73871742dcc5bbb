#pragma once
// The reader of web pages shown by the system's HTML engine: the document of the engine's window
// (asked for with the registered message "WM_HTML_GETOBJECT"), the element under the point (through
// frames), the page's text and source around it, and the table of its ancestors. The document is
// reached on a worker thread within a bound, so a page whose process hangs costs the capture that
// bound and never freezes the form (its message loop keeps turning through the context's pump).

#include <windows.h>

#include <string>

#include "glimmet/capture/reader_context.h"

namespace glimmet::capture {

// How long the engine's window has to hand out its document.
inline constexpr UINT kDocumentRequestBoundMs = 2000;
// How long a whole reading of a page may take, the document request included.
inline constexpr DWORD kPageReadBoundMs = 5000;

struct PageCapture {
  enum class Outcome { NoDocumentWindow, NoElement, Read };
  Outcome outcome = Outcome::NoDocumentWindow;
  HWND documentWindow = nullptr;  // the window whose document was read (to remember for "IeFrame")
  std::wstring text;              // innerText around the element ("start node" levels above)
  std::wstring source;            // innerHTML of the same element
  std::wstring elementTable;      // the element and its ancestors, outermost first
  std::wstring tagLine;           // tag, ideographic space, id or name
};

// The capture of kind "Ie": the document window of the pointed window (by its class), the element
// at the capture point of the context's settings, and the texts of the page.
PageCapture CapturePage(const ReaderContext& context, HWND pointed, const std::wstring& className);

// The address of the document of an engine window; empty when it cannot be read.
std::wstring DocumentAddress(const ReaderContext& context, HWND documentWindow);

// The "value" attribute of the element at the screen point; empty when none.
std::wstring ValueAtPoint(const ReaderContext& context, int x, int y);

}  // namespace glimmet::capture
