#include "glimmet/core/capture_pass.h"

namespace glimmet {

bool CapturePass::Decide(int x, int y, std::uint32_t now, bool force) {
  if (x == lastX && y == lastY) {
    // A move recorded at time 0 (the first pass of a run) starts no dwell.
    if (moveTick > 0) dwell = now - moveTick;
    // The first pass of a run has the time 0, which lies before any capture, not 49 days after it.
    if (now != 0 && now - lastCaptureTick >= 30000)
      state = CaptureState::Requested;
    else if (dwell >= 50 && state == CaptureState::Moving)
      state = CaptureState::Requested;
  } else {
    moveTick = now;
    state = CaptureState::Moving;
    lastX = x;
    lastY = y;
  }
  if (force) state = CaptureState::Requested;
  return state == CaptureState::Requested;
}

}  // namespace glimmet
