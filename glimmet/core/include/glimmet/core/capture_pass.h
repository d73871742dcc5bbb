#pragma once
// When a capture run captures: as soon as the point has rested 50 ms after moving, every 30 s
// while it rests, and whenever a mouse button forces it. Times are tick counts in milliseconds.

#include <cstdint>

namespace glimmet {

enum class CaptureState { Moving = 0, Requested = 1, Done = 2 };

struct CapturePass {
  // Kept for the program's life: a second run resumes where the first left off.
  CaptureState state = CaptureState::Moving;
  std::uint32_t lastCaptureTick = 0;  // 0 before the first capture
  // Reset at the start of every run.
  int lastX = 0, lastY = 0;
  std::uint32_t moveTick = 0;
  std::uint32_t dwell = 0;
  // The window of the last web page captured in this run, whose address a capture of the
  // browser's frame window shows (0: none yet).
  std::uintptr_t pageWindow = 0;

  void StartRun() { lastX = lastY = 0, moveTick = dwell = 0, pageWindow = 0; }
  // Decides this pass for the point (x, y) at `now` (the end of the previous pass, 0 on the first);
  // true when the pass captures. `force` is the mouse-button request, consumed here.
  bool Decide(int x, int y, std::uint32_t now, bool force);
  // A capture has ended (successfully or not).
  void Captured() { state = CaptureState::Done; }
};

}  // namespace glimmet
