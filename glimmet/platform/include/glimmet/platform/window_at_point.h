#pragma once
// The control the user sees at a screen point.

#include <windows.h>

namespace glimmet::platform {

// WindowFromPoint, looking through the windows that lie over the controls inside them without
// hiding them: a group box (it sits above its contents in z-order, and for another process's
// windows the system answers with it) and a transparent static. The visible siblings under the
// point are then walked in z-order for the first that is not such a window; when there is none,
// the group box itself is the answer.
HWND VisibleWindowAtPoint(POINT point);

// A window that covers the controls inside it but does not hide them.
bool IsSeeThroughWindow(HWND window);

}  // namespace glimmet::platform
