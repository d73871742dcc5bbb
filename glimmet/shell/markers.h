#pragma once
// Four small red squares around the capture point, shown when the text is taken from a point
// shifted away from the pointer, so the user sees where it is.

#include <windows.h>

#include <array>

namespace glimmet::shell {

class Markers {
 public:
  Markers() = default;
  Markers(const Markers&) = delete;
  Markers& operator=(const Markers&) = delete;
  ~Markers() { Unload(); }

  void Show(HINSTANCE instance, int shift);
  void Move(int x, int y);
  void Unload();
  HWND Handle(int index) const { return windows_[index]; }

 private:
  void Load(HINSTANCE instance);

  std::array<HWND, 4> windows_{};
};

}  // namespace glimmet::shell
