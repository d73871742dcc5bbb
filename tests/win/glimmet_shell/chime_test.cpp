// The chime when a run stops by itself, seen through the form's player seam: the main form runs in
// this process, with Conf.txt and the sound file beside the test program, and a player that only
// records what it was asked to play.
#include "main_form.h"

#include <commctrl.h>

#include "glimmet/platform/shell_paths.h"
#include "glimmet/shell/control_ids.h"
#include "guidriver/guidriver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using glimmet::shell::MainForm;
namespace ids = glimmet::shell::ids;

constexpr wchar_t kSoundName[] = L"glimmet_test_chime.wav";

class RecordingPlayer : public glimmet::platform::ChimePlayer {
 public:
  explicit RecordingPlayer(std::vector<std::wstring>& played) : played_(played) {}
  void Play(const std::wstring& path) override { played_.push_back(path); }

 private:
  std::vector<std::wstring>& played_;
};

// A run that never stops by itself would hang the test: the close box ends it after a while.
HWND formToClose = nullptr;
void CALLBACK CloseTheForm(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  ::PostMessageW(formToClose, WM_CLOSE, 0, 0);
}

}  // namespace

TEST(GlimmetChime, AnAutomaticStopAsksForTheChimeOnlyWithSoundOn) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  const std::wstring conf = glimmet::platform::BesideProgram(L"Conf.txt");
  const std::wstring sound = glimmet::platform::BesideProgram(kSoundName);
  guidriver::WriteFileBytes(sound, "RIFF");
  for (const int chime : {1, 0}) {
    guidriver::WriteFileBytes(conf, "auto stop = 1\r\nauto stop time = 1\r\nauto close = 0\r\nchime = " + std::to_string(chime) +
                        "\r\nchime file = glimmet_test_chime.wav\r\n");
    std::vector<std::wstring> played;
    MainForm form(::GetModuleHandleW(nullptr), L"no_start", std::make_unique<RecordingPlayer>(played));
    ASSERT_TRUE(form.Create());
    // The rest that counts starts with a move seen during the run: the pointer anywhere but (0, 0).
    ::SetCursorPos(300, 300);
    formToClose = form.Window();
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 30000, CloseTheForm);
    HWND go = guidriver::Control(form.Window(), ids::kGoButton);
    // The run is a loop inside the button's handler: this returns when the run has ended.
    ::SendMessageW(form.Window(), WM_COMMAND, MAKEWPARAM(ids::kGoButton, BN_CLICKED), reinterpret_cast<LPARAM>(go));
    ::KillTimer(nullptr, watchdog);
    ASSERT_TRUE(::IsWindow(form.Window())) << "the run did not stop by itself";
    EXPECT_EQ(guidriver::WindowText(go), L"Go");
    EXPECT_EQ(played, chime == 1 ? std::vector<std::wstring>{sound} : std::vector<std::wstring>{}) << chime;
    ::DestroyWindow(form.Window());
    MSG quit;
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  ::DeleteFileW(conf.c_str());
  ::DeleteFileW(sound.c_str());
}
