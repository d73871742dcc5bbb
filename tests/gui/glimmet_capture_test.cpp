// Glimmet's capture run from outside, against glimmet_target.exe in a third process: the pointer
// moved with SetCursorPos, keys and buttons injected with SendInput. What the boxes must show is
// what the readers give for the same point, read here in the test process.
#include "glimmet_session.h"
#include "glimmet_target.h"

#include "glimmet/capture/readers.h"
#include "glimmet/core/box_text.h"
#include "glimmet/platform/window_text.h"
#include "glimmet/reports/window_report.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace guidriver;
using namespace glimmet_test;

namespace {

// Glimmet below the target's window, not topmost, so that it covers none of the target's controls.
constexpr char kBelowTheTarget[] =
    "disp Top = 0\r\nform left = 0\r\nform top = 580\r\nform right = 600\r\nform bottom = 760\r\n";

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
}

void SendLeftButton(bool up) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
}

// Holds the keys down until `done` holds (the watcher polls every few milliseconds), then lets
// them go in reverse order.
testing::AssertionResult PressKeysUntil(std::initializer_list<WORD> keys, const std::function<bool()>& done,
                                        const std::string& what) {
  for (WORD key : keys) SendKey(key, false);
  auto result = WaitUntil(done, what);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) SendKey(*key, true);
  return result;
}

POINT CentreOf(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

testing::AssertionResult PointerOn(POINT point) {
  // The first move after a window appears can be undone; it holds once GetCursorPos agrees.
  return WaitUntil([&] {
    POINT now{};
    if (::GetCursorPos(&now) && now.x == point.x && now.y == point.y) return true;
    ::SetCursorPos(point.x, point.y);
    return false;
  }, "the pointer in place");
}

class GlimmetCaptureTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    target_ = std::make_unique<Process>(Process::Start(ProgramBesideTest(L"glimmet_target.exe")));
    targetMain_ = target_->WaitForMainWindow({.className = L"GlimmetTargetWindow", .caption = glimmet_target::kMainTitle});
    // The Find dialog opens over the target's first controls: out of the way.
    HWND find = WaitForDialog(glimmet_target::kFindTitle, target_->Id());
    ::SetWindowPos(find, nullptr, 700, 620, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(target_->WaitForInputIdle());
  }
  static void TearDownTestSuite() { target_.reset(); }

  HWND TargetItem(int id) const { return Control(targetMain_, id); }

  // What the boxes must show for the window at `point`, from the readers themselves.
  struct Expected {
    std::wstring upper, lower, pointMethod, lowerMethod;
  };
  Expected ReadHere(HWND window, POINT point) {
    glimmet::AppSettings settings;
    settings.running = true;
    settings.pointWindow = reinterpret_cast<std::uintptr_t>(window);
    settings.pointX = point.x;
    settings.pointY = point.y;
    const glimmet::capture::ReaderContext context{settings, {}, {}};
    const auto atPoint = glimmet::capture::TextAtPoint(context, point.x, point.y, false);
    const auto lower =
        glimmet::capture::ReadByKind(glimmet::ClassifyWindowClass(glimmet::platform::ClassNameOf(window)), context);
    return {glimmet::UnifyLineBreaks(atPoint.text), lower.text, atPoint.methodLabel, lower.methodLabel};
  }

  static inline std::unique_ptr<Process> target_;
  static inline HWND targetMain_ = nullptr;
};

}  // namespace

TEST_F(GlimmetCaptureTest, ThePointerOnEachControlShowsWhatTheReadersGive) {
  TempFolder folder;
  GlimmetSession glimmet(folder, kBelowTheTarget);
  ClickButton(glimmet.Item(ids::kGoButton));
  ASSERT_TRUE(WaitForText(glimmet.Item(ids::kGoButton), L"Stop"));
  using namespace glimmet_target;
  // The check box and the edit lie inside a group box: the control shows, not the group.
  for (int id : {kEdit, kListBox, kListView, kTab, kGroupCheck, kGroupEdit}) {
    HWND control = TargetItem(id);
    const POINT point = CentreOf(control);
    ASSERT_TRUE(PointerOn(point));
    const Expected expected = ReadHere(control, point);
    // Inside the group the text at the point is the control's own, not the group box's caption.
    if (id == kGroupCheck || id == kGroupEdit) EXPECT_EQ(expected.upper, WindowText(control)) << id;
    auto shown = [&] {
      return Expected{WindowText(glimmet.Item(ids::kUpperBox)), WindowText(glimmet.Item(ids::kLowerBox)),
                      WindowText(glimmet.Item(ids::kWinBox + 3)), WindowText(glimmet.Item(ids::kWinBox + 2))};
    };
    EXPECT_TRUE(WaitUntil(
        [&] {
          const Expected now = shown();
          return WindowText(glimmet.Item(ids::kHandleBox)) == std::to_wstring(reinterpret_cast<UINT_PTR>(control)) &&
                 WindowText(glimmet.Item(ids::kWinBox)) == ClassName(control) && now.upper == expected.upper &&
                 now.lower == expected.lower && now.pointMethod == expected.pointMethod &&
                 now.lowerMethod == expected.lowerMethod;
        },
        "the boxes of control " + std::to_string(id),
        [&] {
          return "handle " + Utf8(WindowText(glimmet.Item(ids::kHandleBox))) + ", class " +
                 Utf8(WindowText(glimmet.Item(ids::kWinBox))) + ", upper " + Utf8(shown().upper) + ", lower " +
                 Utf8(shown().lower);
        }));
  }

  // Detail: the accessibility report above, the window details below, for the last control.
  HWND last = TargetItem(kGroupEdit);
  ClickButton(glimmet.Item(ids::kDetailCheck));
  const std::wstring report = glimmet::reports::BuildWindowReport(last, ClassName(last), glimmet::platform::WindowTextOf(last), false);
  EXPECT_TRUE(WaitForText(glimmet.Item(ids::kLowerBox), report));
  EXPECT_NE(WindowText(glimmet.Item(ids::kUpperBox)), L"");
  ClickButton(glimmet.Item(ids::kGoButton));
  EXPECT_TRUE(WaitForText(glimmet.Item(ids::kGoButton), L"Go"));
}

TEST_F(GlimmetCaptureTest, AClickCapturesAgainAndGlimmetsOwnWindowEmptiesTheBoxes) {
  TempFolder folder;
  GlimmetSession glimmet(folder, kBelowTheTarget);
  HWND edit = TargetItem(glimmet_target::kMultiLineEdit);
  ASSERT_TRUE(PointerOn(CentreOf(edit)));
  ClickButton(glimmet.Item(ids::kGoButton));
  HWND lower = glimmet.Item(ids::kLowerBox);
  ASSERT_TRUE(WaitForText(lower, glimmet_target::kMultiLineText));

  // The pointer has not moved: only the button press brings the new text in.
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"changed"));
  SendLeftButton(false);
  EXPECT_TRUE(WaitForText(lower, L"changed"));
  SendLeftButton(true);
  Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(glimmet_target::kMultiLineText.c_str()));

  ASSERT_TRUE(PointerOn(CentreOf(glimmet.Item(ids::kLowerBox))));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(lower).empty() && WindowText(glimmet.Item(ids::kWinBox)).empty(); },
                        "the boxes emptied over Glimmet"));
  EXPECT_EQ(WindowText(glimmet.Item(ids::kHandleBox)), L"");
  ClickButton(glimmet.Item(ids::kGoButton));
  EXPECT_TRUE(WaitForText(glimmet.Item(ids::kGoButton), L"Go"));
}

// The watcher polls every 5 ms, but only while Glimmet's messages flow: a key let go and pressed
// again before it polled is one long press. The pointer label changes on the 10 ms sampling timer
// of a run; two changes in a row mean the watcher has polled between them.
testing::AssertionResult WatcherHasPolled(GlimmetSession& glimmet) {
  HWND label = glimmet.Item(ids::kMousePosLabel);
  for (int x : {100, 110}) {
    const POINT point{x, 650};
    if (auto moved = PointerOn(point); !moved) return moved;
    if (auto shown = WaitForText(label, glimmet::PointerPositionText(point.x, point.y));
        !shown)
      return shown;
  }
  return testing::AssertionSuccess();
}

TEST_F(GlimmetCaptureTest, TheStopHotKeyStartsAndStopsARunAndAltTOpensTheSettingsFormUnlessDisabled) {
  struct Case {
    const char* conf;
    bool settingsOpen;
  } cases[] = {{"enable hot t = 1\r\n", true}, {"enable hot t = 0\r\n", false}};
  for (const Case& c : cases) {
    TempFolder folder;
    GlimmetSession glimmet(folder, std::string(kBelowTheTarget) + c.conf);
    HWND go = glimmet.Item(ids::kGoButton);
    // The keys go to the window in front: Glimmet's own, where they do no harm.
    ::SetForegroundWindow(glimmet.main);
    ASSERT_TRUE(PressKeysUntil({VK_ESCAPE}, [&] { return WindowText(go) == L"Stop"; }, "a run started by Esc"));
    ASSERT_TRUE(WatcherHasPolled(glimmet));

    WindowQuery settings{.processId = glimmet.process.Id(), .caption = L"Setting"};
    if (c.settingsOpen) {
      EXPECT_TRUE(PressKeysUntil({VK_MENU, 'T'}, [&] { return FindTopLevelWindow(settings) != nullptr; },
                                 "the settings form opened by Alt+T"));
      PressButton(FindTopLevelWindow(settings), IDCANCEL);
      EXPECT_TRUE(WaitUntil([&] { return FindTopLevelWindow(settings) == nullptr; }, "the settings form closed"));
    } else {
      SendKey(VK_MENU, false);
      SendKey('T', false);
      EXPECT_TRUE(WatcherHasPolled(glimmet));
      SendKey('T', true);
      SendKey(VK_MENU, true);
      EXPECT_EQ(FindTopLevelWindow(settings), nullptr);
    }
    ASSERT_TRUE(WatcherHasPolled(glimmet));
    EXPECT_TRUE(PressKeysUntil({VK_ESCAPE}, [&] { return WindowText(go) == L"Go"; }, "the run stopped by Esc"));
    glimmet.Close();
  }
}

namespace {

// A window of this process that records the keys reaching it: the other program in front.
class KeyRecorder {
 public:
  KeyRecorder() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"GlimmetTestKeyRecorder";
    ::RegisterClassW(&windowClass);
    window = ::CreateWindowExW(0, windowClass.lpszClassName, L"keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 650, 450, 200,
                               100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&keys));
  }
  ~KeyRecorder() { ::DestroyWindow(window); }

  HWND window = nullptr;
  std::vector<WPARAM> keys;  // the virtual keys of every WM_KEYDOWN, in order

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN)
      if (auto* keys = reinterpret_cast<std::vector<WPARAM>*>(::GetWindowLongPtrW(window, GWLP_USERDATA)))
        keys->push_back(wParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
};

}  // namespace

TEST_F(GlimmetCaptureTest, CtrlAWithAnotherProgramInFrontSendsNoKeys) {
  TempFolder folder;
  GlimmetSession glimmet(folder, kBelowTheTarget);
  ClickButton(glimmet.Item(ids::kGoButton));  // a run, so that the pointer label tells when the watcher polled
  ASSERT_TRUE(WaitForText(glimmet.Item(ids::kGoButton), L"Stop"));
  KeyRecorder recorder;
  ::SetForegroundWindow(recorder.window);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == recorder.window; }, "the recorder in front"));

  SendKey(VK_CONTROL, false);
  SendKey('A', false);
  EXPECT_TRUE(WatcherHasPolled(glimmet));
  SendKey('A', true);
  SendKey(VK_CONTROL, true);
  // Keys Glimmet would send go to the window in front; the waits let them arrive.
  EXPECT_TRUE(WatcherHasPolled(glimmet));
  EXPECT_EQ(recorder.keys, (std::vector<WPARAM>{VK_CONTROL, 'A'}));
  ClickButton(glimmet.Item(ids::kGoButton));
  EXPECT_TRUE(WaitForText(glimmet.Item(ids::kGoButton), L"Go"));
}

namespace {

std::wstring ClipboardText() {
  std::wstring text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

}  // namespace

TEST_F(GlimmetCaptureTest, AtRunEndTheChosenBoxGoesToTheClipboard) {
  struct Case {
    const char* conf;
    int box;
  } cases[] = {{"clipboard= 2\r\n", ids::kUpperBox}, {"clipboard= 3\r\n", ids::kLowerBox}};
  HWND edit = TargetItem(glimmet_target::kMultiLineEdit);
  for (const Case& c : cases) {
    TempFolder folder;
    GlimmetSession glimmet(folder, std::string(kBelowTheTarget) + c.conf);
    ASSERT_TRUE(PointerOn(CentreOf(edit)));
    ClickButton(glimmet.Item(ids::kGoButton));
    ASSERT_TRUE(WaitForText(glimmet.Item(ids::kLowerBox), glimmet_target::kMultiLineText));
    ASSERT_TRUE(::OpenClipboard(nullptr) && ::EmptyClipboard() && ::CloseClipboard());
    ClickButton(glimmet.Item(ids::kGoButton));
    ASSERT_TRUE(WaitForText(glimmet.Item(ids::kGoButton), L"Go"));
    const std::wstring expected = WindowText(glimmet.Item(c.box));
    EXPECT_FALSE(expected.empty());
    EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == expected; }, "the box on the clipboard",
                          [] { return Utf8(ClipboardText()); }));
  }
}

TEST_F(GlimmetCaptureTest, AShiftedCapturePointReadsThereAndIsMarkedByFourSquares) {
  TempFolder folder;
  GlimmetSession glimmet(folder, std::string(kBelowTheTarget) + "shift = 1\r\nshiftx = 25\r\nshifty = -35\r\n");
  HWND edit = TargetItem(glimmet_target::kEdit);
  const POINT capturePoint = CentreOf(edit);
  ASSERT_TRUE(PointerOn({capturePoint.x - 25, capturePoint.y + 35}));
  ClickButton(glimmet.Item(ids::kGoButton));
  EXPECT_TRUE(WaitForText(glimmet.Item(ids::kHandleBox), std::to_wstring(reinterpret_cast<UINT_PTR>(edit))));

  WindowQuery markerQuery{.processId = glimmet.process.Id(), .className = L"GlimmetMarker"};
  EXPECT_TRUE(WaitUntil([&] {
    int left = 0, right = 0, above = 0, below = 0;
    for (const WindowInfo& window : TopLevelWindows(glimmet.process.Id())) {
      if (!markerQuery.Matches(window)) continue;
      RECT rect{};
      ::GetWindowRect(window.handle, &rect);
      if (::PtInRect(&rect, capturePoint) || std::abs(rect.left - capturePoint.x) > 4 ||
          std::abs(rect.top - capturePoint.y) > 4)
        return false;
      (rect.left < capturePoint.x ? left : right) += 1;
      (rect.top < capturePoint.y ? above : below) += 1;
    }
    return left == 2 && right == 2 && above == 2 && below == 2;
  }, "four markers around the capture point"));
  ClickButton(glimmet.Item(ids::kGoButton));
  EXPECT_TRUE(WaitUntil([&] { return FindTopLevelWindow(markerQuery) == nullptr; }, "the markers gone at run end"));
}

TEST_F(GlimmetCaptureTest, AutoStopCountsDownStopsAndWithAutoCloseEndsTheProgramWritingConfTxt) {
  TempFolder folder;
  GlimmetSession glimmet(folder, std::string(kBelowTheTarget) +
                                     "auto stop = 1\r\nauto stop time = 5\r\nauto close = 1\r\nchime = 0\r\n");
  ASSERT_TRUE(PointerOn(CentreOf(TargetItem(glimmet_target::kEdit))));
  ClickButton(glimmet.Item(ids::kGoButton));
  HWND countdown = glimmet.Item(ids::kAutoStopLabel);
  for (const wchar_t* count : {L"3", L"2", L"1"}) EXPECT_TRUE(WaitForText(countdown, count));
  EXPECT_EQ(glimmet.process.WaitForExit(), 0u);
  EXPECT_NE(ReadFileBytes(glimmet.ConfPath()).find("auto stop time = 5\r\n"), std::string::npos);
}
