#include "glimmet/core/auto_stop.h"

#include "glimmet/core/app_settings.h"

namespace glimmet {

AutoStopStep CheckAutoStop(int autoStop, int autoStopTime, long long idleMilliseconds, int shownCount) {
  using Action = AutoStopStep::Action;
  if (autoStop != 1) return {Action::ClearLabel, 0};
  const auto remaining = RoundHalfEven(autoStopTime - idleMilliseconds / 1000.0);
  if (remaining <= 0) return {Action::Stop, 0};
  if (remaining <= 3 && remaining != shownCount) return {Action::ShowCount, static_cast<int>(remaining)};
  return {Action::Nothing, 0};
}

}  // namespace glimmet
