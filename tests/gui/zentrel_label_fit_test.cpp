// Every label of Zentrel's dialogs fits its control in the dialog's own font at the display's DPI:
// a Japanese label in a wide fallback font must not be cut off (scripts/dpi-screenshots.sh shows
// the same dialogs at 96, 144 and 192 DPI for a person to look at).
#include "zentrel_ui_steps.h"

#include <vector>

using namespace guidriver;
using namespace zentrel_ui;

namespace {

const std::wstring kAboutCaption = L"\x30d0\x30fc\x30b8\x30e7\x30f3\x60c5\x5831";

// The label as drawn: "&&" shows one ampersand, a single one only underlines the next letter.
std::wstring Shown(const std::wstring& label) {
  std::wstring shown;
  for (size_t i = 0; i < label.size(); ++i) {
    if (label[i] == L'&' && i + 1 < label.size()) ++i;
    shown += label[i];
  }
  return shown;
}

// The dialog font of the templates ("Ms Shell Dlg 2", 8 points) at the screen's DPI, as the
// dialog manager creates it.
class DialogFont {
 public:
  DialogFont() : screen_(nullptr) {
    dpi_ = ::GetDeviceCaps(screen_.Get(), LOGPIXELSY);
    font_ = ::CreateFontW(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                          L"MS Shell Dlg 2");
    previous_ = ::SelectObject(screen_.Get(), font_);
  }
  ~DialogFont() {
    ::SelectObject(screen_.Get(), previous_);
    ::DeleteObject(font_);
  }
  int Width(const std::wstring& text) const {
    SIZE size{};
    ::GetTextExtentPoint32W(screen_.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
  }
  int Scaled(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, 96); }

 private:
  WindowDc screen_;
  int dpi_ = 96;
  HFONT font_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Labels of `dialog` that do not fit, as "label: needs N, has M" lines.
std::vector<std::string> LabelsCutOff(HWND dialog) {
  DialogFont font;
  std::vector<std::string> cut;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring label = Shown(WindowText(child));
    if (label.empty()) continue;
    const std::wstring cls = ClassName(child);
    const auto type = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE)) & BS_TYPEMASK;
    int room = ClientSize(child).cx;
    if (cls == L"Button") {
      const bool box = type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX ||
                       type == BS_CHECKBOX;
      if (type == BS_GROUPBOX) room -= font.Scaled(8);       // the frame's corner and the gaps
      else if (box) room -= font.Scaled(16);                // the box or circle and the gap after it
      else room -= font.Scaled(6);                          // a push button's edges
    } else if (cls != L"Static") {
      continue;
    }
    const int needs = font.Width(label);
    if (needs > room) cut.push_back(Utf8(label) + ": needs " + std::to_string(needs) + ", has " + std::to_string(room));
  }
  return cut;
}

}  // namespace

TEST_F(ZentrelSessionTest, EveryLabelOfTheMainSettingsAndAboutDialogsFits) {
  StartWithSettings("");
  EXPECT_EQ(LabelsCutOff(main_), std::vector<std::string>{}) << "main dialog";
  HWND settings = OpenSettingsDialog();
  EXPECT_EQ(LabelsCutOff(settings), std::vector<std::string>{}) << "settings";
  PressButton(settings, IDCANCEL);
  ASSERT_TRUE(WaitUntilGone(settings));
  PostCommand(main_, kMenuAbout);
  HWND about = WaitForDialog(kAboutCaption, Pid());
  EXPECT_EQ(LabelsCutOff(about), std::vector<std::string>{}) << "about";
  PressButton(about, IDOK);
}
