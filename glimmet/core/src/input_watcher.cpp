#include "glimmet/core/input_watcher.h"

#include "glimmet/core/key_names.h"

namespace glimmet {
namespace {

constexpr int kHalfFullWidthOff = 243, kHalfFullWidthOn = 244;

InputEvent EventOf(int key, bool pressed) {
  switch (key) {
    case 1: return pressed ? InputEvent::LeftDown : InputEvent::LeftUp;
    case 2: return pressed ? InputEvent::RightDown : InputEvent::RightUp;
    case 4: return pressed ? InputEvent::MiddleDown : InputEvent::MiddleUp;
    default: return pressed ? InputEvent::KeyDown : InputEvent::KeyUp;
  }
}

}  // namespace

const char* InputEventName(InputEvent event) {
  switch (event) {
    case InputEvent::KeyDown: return "KEY_DOWN";
    case InputEvent::KeyUp: return "KEY_UP";
    case InputEvent::LeftDown: return "LEFT_DOWN";
    case InputEvent::LeftUp: return "LEFT_UP";
    case InputEvent::RightDown: return "RIGHT_DOWN";
    case InputEvent::RightUp: return "RIGHT_UP";
    case InputEvent::MiddleDown: return "MIDDLE_DOWN";
    case InputEvent::MiddleUp: return "MIDDLE_UP";
    case InputEvent::None: break;
  }
  return "MV";
}

InputPoll InputWatcher::Poll() {
  int imeMark = 0;
  for (int key = 1; key < 256; ++key) {
    if (KeyName(key).empty()) continue;
    const std::int16_t state = source_(key);
    KeyState& k = keys_[static_cast<std::size_t>(key)];
    // Any bit counts as down: a key pressed and released since the last poll still shows as a
    // press now and as a release on the next poll.
    k.current = state != 0 ? 1 : -1;
    k.change = k.previous - k.current;
    k.previous = k.current;
    if (state & 1) {
      if (key == kHalfFullWidthOff) imeMark = -1;
      if (key == kHalfFullWidthOn) imeMark = 1;
    }
  }

  InputPoll poll;
  for (int key = 1; key < 256; ++key) {
    const int change = keys_[static_cast<std::size_t>(key)].change;
    if (change == -2) poll.event = EventOf(key, true);
    if (change == 2) poll.event = EventOf(key, false);
    if (change != 0) poll.code = key;
  }
  if (poll.code != 0) {
    auto down = [this](int key) { return keys_[static_cast<std::size_t>(key)].current == 1; };
    if (down(18)) poll.code |= kKeyAlt;
    if (down(17)) poll.code |= kKeyCtrl;
    if (down(16)) poll.code |= kKeyShift;
    if (down(91) || down(92)) poll.code |= kKeyWin;
  }
  if (imeMark != 0) poll = {InputEvent::KeyDown, imeMark < 0 ? kHalfFullWidthOff : kHalfFullWidthOn};
  return poll;
}

}  // namespace glimmet
