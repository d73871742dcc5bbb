#pragma once
// A frame: a container that moves its controls with it. It hands its controls' notifications and
// colour requests to the form, so the form handles every control the same way wherever it sits.
// With a caption it draws itself as a group frame.

#include <string>

#include "glimmet/platform/window_base.h"

namespace glimmet::shell {

class FrameWindow : public platform::WindowBase {
 public:
  HWND Create(HINSTANCE instance, HWND parent, int id, const std::wstring& caption);

 private:
  std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();

  std::wstring caption_;
  HFONT font_ = nullptr;  // the form's, owned by the form
};

}  // namespace glimmet::shell
