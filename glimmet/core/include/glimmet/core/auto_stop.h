#pragma once
// The automatic stop: after the pointer has rested "auto stop time" seconds a run stops by itself;
// the last three seconds are counted down on the form.

namespace glimmet {

struct AutoStopStep {
  enum class Action { ClearLabel, Stop, ShowCount, Nothing };
  Action action = Action::Nothing;
  int remaining = 0;  // seconds, for ShowCount
};

// One check, once per pass of the capture loop. `shownCount` is the number the countdown label
// shows now (0 when empty): the label is rewritten only when the count changes.
AutoStopStep CheckAutoStop(int autoStop, int autoStopTime, long long idleMilliseconds, int shownCount);

}  // namespace glimmet
