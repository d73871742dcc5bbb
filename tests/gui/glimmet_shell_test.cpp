// Glimmet's main form from outside: Conf.txt at start and at the end, the layout rules, word wrap,
// and what a capture puts into the boxes.
#include "glimmet_session.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace guidriver;
using namespace glimmet_test;

namespace {

std::string Ansi(const std::wstring& text) {
  std::string bytes(text.size() * 2, '\0');
  bytes.resize(::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
  return bytes;
}

int HalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

RECT ScreenRect(HWND window) {
  RECT r;
  ::GetWindowRect(window, &r);
  return r;
}

int Height(HWND window) {
  const RECT r = ScreenRect(window);
  return r.bottom - r.top;
}

double TwipsPerPixel(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  auto get = reinterpret_cast<GetDpi>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT dpi = get ? get(window) : 96;
  return 1440.0 / (dpi ? dpi : 96);
}

// A window of the test's own, with a text for Glimmet to read; the test thread answers its
// messages while it waits.
struct TextWindow {
  explicit TextWindow(const std::wstring& text) {
    window = ::CreateWindowExW(WS_EX_TOPMOST, L"EDIT", L"", WS_POPUP | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOHSCROLL, 10, 10,
                               300, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
    ::SetWindowTextW(window, text.c_str());
  }
  ~TextWindow() { ::DestroyWindow(window); }
  HWND window;
};

}  // namespace

TEST(GlimmetShell, FirstStartPlacesTheWindowByTheScreenAndAnIdleCloseWritesEveryKey) {
  TempFolder folder;
  GlimmetSession glimmet(folder, "");
  EXPECT_NE(WindowText(glimmet.main).find_first_of(L"0123456789"), std::wstring::npos);
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  const RECT expected{HalfEven(width / 2.0), HalfEven(height / 3.0), HalfEven(width * 4 / 5.0),
                      HalfEven(height * 3 / 4.0)};
  // On a small screen the form widens to fit its controls; the other edges stay.
  WINDOWPLACEMENT placement{sizeof(placement)};
  ASSERT_TRUE(::GetWindowPlacement(glimmet.main, &placement));
  const RECT placed = placement.rcNormalPosition;
  EXPECT_EQ(placed.left, expected.left);
  EXPECT_EQ(placed.top, expected.top);
  EXPECT_EQ(placed.bottom, expected.bottom);
  EXPECT_GE(placed.right, expected.right);
  SaveScreenshot(glimmet.main, L"glimmet_start");
  ASSERT_EQ(glimmet.Close(), 0u);

  const double twips = TwipsPerPixel(glimmet.main);
  auto n = [](int value) { return std::to_string(value); };
  const std::string conf =
      "form left = " + n(placed.left) + "\r\nform top = " + n(placed.top) + "\r\nform right = " +
      n(placed.right) + "\r\nform bottom = " + n(placed.bottom) +
      "\r\ntop height = 1200\r\ndisp Top = 1\r\ntreeview indent = 1\r\nlistview col = 0\r\n"
      "to file = 0\r\nturn back = 0\r\nmous pos = screen\r\nwin handle = dec\r\nhotkey = ESC\r\n"
      "enable hot t = 1\r\ndisp text = 0\r\nstart node = 0\r\nauto start= 0\r\nclipboard= 0\r\n"
      "hint = 0\r\nauto stop = 0\r\nauto stop time = 0\r\nauto close = 0\r\nchime = 1\r\n"
      "chime file = chimes.wav\r\ndetail = 0\r\nshift = 0\r\nshiftx = 20\r\nshifty = 30\r\n"
      "parent & children = 1\r\nparent & children max= 10\r\nfrom hwnd = 0\r\naction test = 0\r\n"
      "html tag text length = 50\r\nsetting no = 0\r\nsetting left = " +
      n(HalfEven((width * twips - 4725) / 2)) + "\r\nsetting top = " + n(HalfEven((height * twips - 7725) / 2)) + "\r\n";
  EXPECT_EQ(ReadFileBytes(glimmet.ConfPath()), conf);
}

TEST(GlimmetShell, StoredWordWrapAndDetailAreCheckedAtStart) {
  TempFolder folder;
  GlimmetSession glimmet(folder, "turn back = 1\r\ndetail = 1\r\n");
  EXPECT_TRUE(IsChecked(glimmet.Item(ids::kTurnBackCheck)));
  EXPECT_TRUE(IsChecked(glimmet.Item(ids::kDetailCheck)));
  EXPECT_TRUE(::IsWindowVisible(glimmet.Item(ids::kUpperBox + 1)));
  EXPECT_FALSE(::IsWindowVisible(glimmet.Item(ids::kUpperBox)));
}

TEST(GlimmetShell, TheFormStaysTallEnoughAndTheSplitterWithinItsBounds) {
  TempFolder folder;
  GlimmetSession glimmet(folder, "disp Top = 0\r\n");
  const double twips = TwipsPerPixel(glimmet.main);
  ::SetWindowPos(glimmet.main, nullptr, 0, 0, 500, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil([&] { return Height(glimmet.main) >= std::floor(3150 / twips); }, "the form back at 3150 twips",
                        [&] { return std::to_string(Height(glimmet.main)); }));
  ::SetWindowPos(glimmet.main, nullptr, 0, 0, 500, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return Height(glimmet.main) == 600; }, "the form resized"));

  HWND splitter = glimmet.Item(ids::kSplitter);
  HWND upper = glimmet.Item(ids::kUpperBox);
  // A drag far past either bound ends on that bound.
  auto dragTo = [&](short offset, const std::function<bool(LONG)>& atBound, const char* what) {
    Post(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 1));
    Post(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, static_cast<WORD>(offset)));
    Post(splitter, WM_LBUTTONUP, 0, MAKELPARAM(5, static_cast<WORD>(offset)));
    return WaitUntil([&] { return atBound(RectInParent(splitter).top); }, what,
                     [&] { return std::to_string(RectInParent(splitter).top); });
  };
  const double lowest = (ClientSize(glimmet.main).cy * twips - 1400) / twips;
  EXPECT_TRUE(dragTo(30000, [&](LONG top) { return std::abs(top - lowest) <= 1.0; }, "the splitter at its lower bound"));
  EXPECT_TRUE(dragTo(-30000, [&](LONG top) { return top < lowest - 10; }, "the splitter moved up"));
  EXPECT_GE(RectInParent(splitter).top, 1400 / twips - 1);
  EXPECT_GE(Height(upper), 0);
  EXPECT_LT(Height(upper), 1400 / twips);
}

TEST(GlimmetShell, WordWrapKeepsBothTextsAndTheUpperHeight) {
  TempFolder folder;
  GlimmetSession glimmet(folder, "top height = 900\r\n");
  SetText(glimmet.Item(ids::kUpperBox), L"upper \u65e5\u672c");
  SetText(glimmet.Item(ids::kLowerBox), L"lower\r\ntext");
  const int height = Height(glimmet.Item(ids::kUpperBox));
  ClickButton(glimmet.Item(ids::kTurnBackCheck));
  ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(glimmet.Item(ids::kUpperBox + 1)) != FALSE; }, "the wrapping pair"));
  EXPECT_FALSE(::IsWindowVisible(glimmet.Item(ids::kUpperBox)));
  EXPECT_EQ(WindowText(glimmet.Item(ids::kUpperBox + 1)), L"upper \u65e5\u672c");
  EXPECT_EQ(WindowText(glimmet.Item(ids::kLowerBox + 1)), L"lower\r\ntext");
  EXPECT_EQ(Height(glimmet.Item(ids::kUpperBox + 1)), height);
}

TEST(GlimmetShell, ACaptureCutsAnOverLongTextAndSavesItWholeOnTheDesktop) {
  // Lines of a common length: Wine's edit control lays out one line of 70,000 characters slowly.
  std::wstring text = L"\u65e5\u672c\u8a9e\r\n";
  while (text.size() < 70000) text += std::wstring(80, L'7') + L"\r\n";
  TextWindow target(text);
  ASSERT_TRUE(::SetCursorPos(160, 110));
  TempFolder folder;
  GlimmetSession glimmet(folder, "to file = 1\r\nwin handle = hex\r\ndisp Top = 0\r\nauto start= 1\r\n", L"");
  HWND upper = glimmet.Item(ids::kUpperBox);
  const std::wstring expectedStart = text.substr(0, 65000) + L"\r\n\r\n--------------------------------\r\n";
  ASSERT_TRUE(WaitUntil([&] { return WindowText(upper).starts_with(expectedStart); }, "the cut text in the upper box",
                        [&] { return std::to_string(WindowText(upper).size()) + " characters"; }));
  wchar_t desktop[MAX_PATH];
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
  const std::wstring file = std::wstring(desktop) + L"\\\u6587\u5b57\u6570\u30aa\u30fc\u30d0\u30fc\u4e0a\u6bb5(Glimmet).txt";
  const std::wstring shown = WindowText(upper);
  EXPECT_NE(shown.find(file.substr(file.find_last_of(L'\\') + 1)), std::wstring::npos);
  EXPECT_EQ(ReadFileBytes(file), Ansi(text + L"\r\n"));
  ::DeleteFileW(file.c_str());

  // The handle box: upper-case hexadecimal, and decimal after a double-click.
  HWND handle = glimmet.Item(ids::kHandleBox);
  wchar_t hex[32];
  swprintf(hex, 32, L"%llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(target.window)));
  EXPECT_EQ(WindowText(handle), hex);
  Post(handle, WM_LBUTTONDBLCLK, 0, 0);
  EXPECT_TRUE(WaitForText(handle, std::to_wstring(reinterpret_cast<UINT_PTR>(target.window))));
  EXPECT_EQ(WindowText(glimmet.Item(ids::kWinBox)), L"Edit");
}

TEST(GlimmetShell, ClosingDuringARunWritesNothingAndALockedConfTxtStaysWhole) {
  // The close box and the end of the user's session alike end the run and the program.
  for (UINT ending : {WM_CLOSE, WM_ENDSESSION}) {
    TempFolder folder;
    GlimmetSession glimmet(folder, "", L"");
    ClickButton(glimmet.Item(ids::kGoButton));
    ASSERT_TRUE(WaitForText(glimmet.Item(ids::kGoButton), L"Stop"));
    Post(glimmet.main, ending, TRUE);
    ASSERT_EQ(glimmet.process.WaitForExit(), 0u) << ending;
    EXPECT_FALSE(FileExists(glimmet.ConfPath()));
  }
  TempFolder folder;
  const std::string old = "shiftx = 5\r\n";
  GlimmetSession glimmet(folder, old);
  HANDLE lock = ::CreateFileW(glimmet.ConfPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_EQ(glimmet.Close(), 0u);
  ::CloseHandle(lock);
  EXPECT_EQ(ReadFileBytes(glimmet.ConfPath()), old);
  EXPECT_FALSE(FileExists(glimmet.ConfPath() + L".new~"));
}

TEST(GlimmetShell, AStopHotKeyThatAnotherProgramHoldsIsSaidInTheStatusLabel) {
  for (const bool held : {false, true}) {
    // This process holds Esc system-wide, as another program may.
    ASSERT_EQ(held && ::RegisterHotKey(nullptr, 1, 0, VK_ESCAPE), held);
    TempFolder folder;
    GlimmetSession glimmet(folder, "");
    // Into the debug mode and out of it again: leaving it registers the stop hot key.
    HWND message = glimmet.Item(ids::kMsgLabel);
    for (int toggle = 0; toggle < 2; ++toggle)
      Post(glimmet.main, WM_COMMAND, MAKEWPARAM(ids::kMsgLabel, STN_DBLCLK), reinterpret_cast<LPARAM>(message));
    const std::wstring hint = L"Stop by ESC";
    EXPECT_TRUE(WaitForText(message, hint));
    const std::wstring status = WindowText(glimmet.Item(ids::kStatusLabel));
    if (held) {
      EXPECT_TRUE(status.starts_with(hint + L"\r\n") && status.size() > hint.size() + 2) << Utf8(status);
      ::UnregisterHotKey(nullptr, 1);
    } else {
      EXPECT_EQ(status, hint);
    }
  }
}
