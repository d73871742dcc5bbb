#include "glimmet/core/app_settings.h"

#include <cmath>

namespace glimmet {

long long RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  long long result = static_cast<long long>(floor);
  if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) ++result;
  return result;
}

StoredSettings DefaultSettings(const ScreenMetrics& screen) {
  StoredSettings s;
  auto pixelsX = [&](double twips) { return static_cast<int>(RoundHalfEven(twips / screen.twipsPerPixelX)); };
  auto pixelsY = [&](double twips) { return static_cast<int>(RoundHalfEven(twips / screen.twipsPerPixelY)); };
  s.formLeft = pixelsX(screen.widthTwips / 2);
  s.formTop = pixelsY(screen.heightTwips / 3);
  s.formRight = pixelsX(screen.widthTwips * 4 / 5);
  s.formBottom = pixelsY(screen.heightTwips * 3 / 4);
  s.settingLeft = static_cast<int>(RoundHalfEven((screen.widthTwips - 4725) / 2));
  s.settingTop = static_cast<int>(RoundHalfEven((screen.heightTwips - 7725) / 2));
  return s;
}

}  // namespace glimmet
