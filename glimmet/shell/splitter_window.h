#pragma once
// The drag handle between the two big boxes: it reports button down, moves and button up with
// the pointer's vertical offset within itself, in pixels.

#include <functional>

#include "glimmet/platform/window_base.h"

namespace glimmet::shell {

class SplitterWindow : public platform::WindowBase {
 public:
  enum class Event { Down, Move, Up };
  using Listener = std::function<void(Event, int offsetY)>;

  HWND Create(HINSTANCE instance, HWND parent, int id, Listener listener);

 private:
  std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  Listener listener_;
};

}  // namespace glimmet::shell
