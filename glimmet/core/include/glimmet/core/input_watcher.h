#pragma once
// The input watcher: polls the state of every named key and mouse button and turns the changes
// since the last poll into one named event. Polling (not hooks or focus) is what lets Glimmet see
// keys while another program has the keyboard.

#include <array>
#include <cstdint>
#include <functional>

#include "glimmet/core/key_code.h"

namespace glimmet {

enum class InputEvent { None, KeyDown, KeyUp, LeftDown, LeftUp, RightDown, RightUp, MiddleDown, MiddleUp };

// The event's name as the watcher reports it ("KEY_DOWN", ... ; "MV" for no change).
const char* InputEventName(InputEvent event);

struct InputPoll {
  InputEvent event = InputEvent::None;
  KeyCode code = 0;  // the key and the modifiers held; 0 when nothing changed
};

class InputWatcher {
 public:
  // The key-state source: the asynchronous state of a virtual key, as GetAsyncKeyState answers
  // (bit 15: down now; bit 0: pressed since the last query).
  using KeyStateSource = std::function<std::int16_t(int virtualKey)>;

  explicit InputWatcher(KeyStateSource source) : source_(std::move(source)) {}

  // One poll of every named key. When several keys changed, the highest-numbered one gives the
  // event; a press of one of the two half/full-width keys (243, 244) wins over everything, because
  // the IME swallows their state and only the "pressed since" bit shows them.
  InputPoll Poll();

 private:
  struct KeyState {
    int previous = 0, current = 0, change = 0;  // states: 1 down, -1 up, 0 never polled
  };
  KeyStateSource source_;
  std::array<KeyState, 256> keys_{};
};

}  // namespace glimmet
