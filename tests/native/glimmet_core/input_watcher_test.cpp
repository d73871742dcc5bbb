#include "glimmet/core/input_watcher.h"
#include "glimmet/core/key_names.h"

#include <gtest/gtest.h>

#include <map>

using namespace glimmet;

namespace {

constexpr std::int16_t kDown = static_cast<std::int16_t>(0x8000);
constexpr std::int16_t kPressedSince = 1;

// A keyboard whose keys the test sets between polls; counts the keys the watcher asks about.
struct FakeKeyboard {
  std::map<int, std::int16_t> state;
  int queries = 0;
  InputWatcher Watcher() {
    return InputWatcher([this](int key) {
      ++queries;
      const auto found = state.find(key);
      return found == state.end() ? std::int16_t{0} : found->second;
    });
  }
};

}  // namespace

TEST(KeyNames, NamedKeysAreTheOnesPolledAndMouseButtonsAreBlank) {
  int named = 0;
  for (int key = 0; key <= 256; ++key) named += KeyName(key).empty() ? 0 : 1;
  EXPECT_EQ(named, 124);
  for (int button : {1, 2, 4}) EXPECT_EQ(KeyName(button), u" ");
  EXPECT_EQ(KeyName(0), u"");
  EXPECT_EQ(KeyName(17), u"Ctrl");
  EXPECT_EQ(KeyName(135), u"F24");
  EXPECT_EQ(KeyName(105), u"\u30c6\u30f3\u30ad\u30fc9");
  EXPECT_EQ(KeyName(243), KeyName(244));

  FakeKeyboard keyboard;
  InputWatcher watcher = keyboard.Watcher();
  watcher.Poll();
  EXPECT_EQ(keyboard.queries, 124);
}

TEST(KeyNames, HotKeyCodeMatchesNamesExactly) {
  EXPECT_EQ(HotKeyCode(u"ESC"), 27);
  EXPECT_EQ(HotKeyCode(u"Shift+F12"), kKeyShift | 123);
  EXPECT_EQ(HotKeyCode(u"Shift+PAUSE/BREAK"), kKeyShift | 19);
  EXPECT_EQ(HotKeyCode(u"esc"), 0);
  EXPECT_EQ(HotKeyCode(u"F13"), 0);
  EXPECT_EQ(HotKeyCode(std::wstring_view(L"F5")), 116);
  EXPECT_EQ(HotKeyTable().front().name, u"");
}

TEST(InputWatcher, FirstPollReportsNothingEvenWithKeysDown) {
  FakeKeyboard keyboard;
  keyboard.state = {{'A', kDown}, {1, kDown}};
  InputWatcher watcher = keyboard.Watcher();
  const InputPoll poll = watcher.Poll();
  EXPECT_EQ(poll.event, InputEvent::None);
  EXPECT_STREQ(InputEventName(poll.event), "MV");
  EXPECT_EQ(watcher.Poll().event, InputEvent::None);  // held, not pressed again
}

TEST(InputWatcher, ModifiersHeldArePartOfTheCode) {
  FakeKeyboard keyboard;
  InputWatcher watcher = keyboard.Watcher();
  watcher.Poll();
  keyboard.state[17] = kDown;
  EXPECT_EQ(watcher.Poll().code, 17 | kKeyCtrl);
  keyboard.state[112] = kDown;
  const InputPoll ctrlF1 = watcher.Poll();
  EXPECT_EQ(ctrlF1.event, InputEvent::KeyDown);
  EXPECT_NE(ctrlF1.code, HotKeyCode(u"F1"));
  keyboard.state = {};
  watcher.Poll();
  keyboard.state[112] = kDown;
  EXPECT_EQ(watcher.Poll().code, HotKeyCode(u"F1"));
  keyboard.state = {{16, kDown}, {92, kDown}, {18, kDown}};
  watcher.Poll();
  keyboard.state['T'] = kDown;
  EXPECT_EQ(watcher.Poll().code, 'T' | kKeyShift | kKeyWin | kKeyAlt);
}

TEST(InputWatcher, EventsByKeyAndTheHighestChangedKeyWins) {
  struct Case {
    int key;
    InputEvent down, up;
  } cases[] = {{1, InputEvent::LeftDown, InputEvent::LeftUp},
               {2, InputEvent::RightDown, InputEvent::RightUp},
               {4, InputEvent::MiddleDown, InputEvent::MiddleUp},
               {27, InputEvent::KeyDown, InputEvent::KeyUp}};
  for (const Case& c : cases) {
    FakeKeyboard keyboard;
    InputWatcher watcher = keyboard.Watcher();
    watcher.Poll();
    keyboard.state[c.key] = kDown;
    EXPECT_EQ(watcher.Poll().event, c.down) << c.key;
    keyboard.state[c.key] = 0;
    const InputPoll up = watcher.Poll();
    EXPECT_EQ(up.event, c.up) << c.key;
    EXPECT_EQ(up.code, c.key);
  }
  FakeKeyboard keyboard;
  InputWatcher watcher = keyboard.Watcher();
  watcher.Poll();
  keyboard.state = {{1, kDown}, {27, kDown}};
  const InputPoll both = watcher.Poll();
  EXPECT_EQ(both.event, InputEvent::KeyDown);
  EXPECT_EQ(both.code, 27);
}

TEST(InputWatcher, APressBetweenPollsCountsAsAPressThenARelease) {
  FakeKeyboard keyboard;
  InputWatcher watcher = keyboard.Watcher();
  watcher.Poll();
  keyboard.state[27] = kPressedSince;  // already up again, only the "pressed since" bit tells
  EXPECT_EQ(watcher.Poll().event, InputEvent::KeyDown);
  keyboard.state[27] = 0;
  EXPECT_EQ(watcher.Poll().event, InputEvent::KeyUp);
}

TEST(InputWatcher, HalfFullWidthKeyPressWinsOverOtherKeys) {
  for (int imeKey : {243, 244}) {
    FakeKeyboard keyboard;
    InputWatcher watcher = keyboard.Watcher();
    watcher.Poll();
    keyboard.state = {{imeKey, kPressedSince}, {17, kDown}, {'Z', kDown}};
    const InputPoll poll = watcher.Poll();
    EXPECT_EQ(poll.event, InputEvent::KeyDown);
    EXPECT_EQ(poll.code, imeKey);  // no modifier bits
  }
}
