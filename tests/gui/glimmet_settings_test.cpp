// Glimmet's settings form and hot-key dialog from outside: each control changes its setting, which
// Conf.txt shows after an idle close, and the form opens again on the page shown last.
#include "glimmet_session.h"

#include "glimmet/shell/settings_ids.h"

#include <gtest/gtest.h>

using namespace guidriver;
using namespace glimmet_test;

namespace {

HWND OpenSettings(GlimmetSession& glimmet) {
  HWND label = glimmet.Item(ids::kToolLabel);
  Post(glimmet.main, WM_COMMAND, MAKEWPARAM(ids::kToolLabel, STN_CLICKED), reinterpret_cast<LPARAM>(label));
  return WaitForDialog(L"Setting", glimmet.process.Id());
}

testing::AssertionResult ShowsPage(HWND form, int page) {
  return WaitUntil([&] {
    for (int p = 0; p < 4; ++p)
      if ((::IsWindowVisible(Control(form, IDC_SET_PAGE + p)) != FALSE) != (p == page)) return false;
    return true;
  }, "page " + std::to_string(page) + " alone shown");
}

void ChoosePage(HWND form, int page) {
  Post(form, WM_COMMAND, MAKEWPARAM(IDC_SET_TAB + page, STN_CLICKED), reinterpret_cast<LPARAM>(Control(form, IDC_SET_TAB + page)));
}

}  // namespace

TEST(GlimmetSettings, EveryControlStoresItsSettingAndTheLastPageShowsAgainAfterARestart) {
  TempFolder folder;
  std::string conf;
  {
    GlimmetSession glimmet(folder, "setting no = 2\r\nstart node = 7\r\n");
    HWND form = OpenSettings(glimmet);
    EXPECT_TRUE(ShowsPage(form, 2));
    EXPECT_EQ(ComboSelection(Control(form, IDC_SET_START_LEVEL)), 4);  // beyond the list: the last level
    EXPECT_FALSE(::IsWindowVisible(Control(form, IDC_SET_AUTO_CLOSE)));

    auto click = [&](int id) { return [form, id] { ClickButton(Control(form, id)); }; };
    auto choose = [&](int id, int index) { return [form, id, index] { SelectComboItem(Control(form, id), index); }; };
    auto type = [&](int id, const wchar_t* text) {
      return [form, id, text] {
        // The box's edit child (GetComboBoxInfo does not reach into another process).
        HWND edit = ::FindWindowExW(Control(form, id), nullptr, L"Edit", nullptr);
        ASSERT_NE(edit, nullptr);
        for (const wchar_t* c = text; *c; ++c) Send(edit, WM_CHAR, *c, 1);
      };
    };
    struct Step {
      int page;
      std::function<void()> act;
      const char* line;  // what Conf.txt holds afterwards
    } steps[] = {
        {0, click(IDC_SET_CLIPBOARD + 2), "clipboard= 2"},
        {0, click(IDC_SET_HINT + 1), "hint = 1"},
        {0, click(IDC_SET_TREE_INDENT), "treeview indent = 0"},
        {0, click(IDC_SET_LISTVIEW + 1), "listview col = 1"},
        {1, click(IDC_SET_DISP_TEXT), "disp text = 1"},
        {1, choose(IDC_SET_START_LEVEL, 2), "start node = 2"},
        {2, click(IDC_SET_ACTION + 3), "action test = 3"},
        {2, choose(IDC_SET_CHILD_MAX, 5), "parent & children max= 500"},
        {2, click(IDC_SET_FROM_HWND), "from hwnd = 1"},
        {3, click(IDC_SET_SHIFT), "shift = 1"},
        {3, click(IDC_SET_DISP_TOP), "disp Top = 0"},
        {3, click(IDC_SET_TO_FILE), "to file = 1"},
        {3, click(IDC_SET_AUTO_START), "auto start= 1"},
        {3, choose(IDC_SET_AUTO_STOP, 5), "auto stop time = 5"},
        {3, type(IDC_SET_AUTO_STOP, L"9"), "auto stop time = 5"},  // typed, not chosen: no change
        {3, click(IDC_SET_AUTO_CLOSE), "auto close = 1"},
        {3, click(IDC_SET_CHIME), "chime = 0"},
    };
    for (const Step& step : steps) {
      ChoosePage(form, step.page);
      ASSERT_TRUE(ShowsPage(form, step.page));
      step.act();
    }
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(Control(form, IDC_SET_SHIFT_X)) != FALSE; }, "the shift boxes"));
    EXPECT_TRUE(::IsWindowVisible(Control(form, IDC_SET_AUTO_CLOSE)));

    // Only a sign and digits get into a shift box; the number is taken when the box is left.
    HWND shiftX = Control(form, IDC_SET_SHIFT_X);
    SetText(shiftX, L"");
    for (wchar_t c : std::wstring(L"a-1x2.")) Post(shiftX, WM_CHAR, c, 1);
    EXPECT_TRUE(WaitForText(shiftX, L"-12"));
    Post(shiftX, WM_KILLFOCUS);

    PressButton(form, IDC_SET_HOTKEY_BUTTON);
    HWND hotKey = WaitForDialog(L"Hotkey", glimmet.process.Id());
    HWND list = Control(hotKey, IDC_HOTKEY_LIST);
    EXPECT_EQ(ComboItems(list).size(), 29u);
    EXPECT_EQ(ComboItems(list)[static_cast<std::size_t>(ComboSelection(list))], L"ESC");
    SelectComboItem(list, 5);  // F3
    PressButton(hotKey, IDOK);
    EXPECT_TRUE(WaitForText(Control(form, IDC_SET_HOTKEY_LABEL), L"F3"));

    PressButton(form, IDC_SET_CLOSE);
    ASSERT_TRUE(WaitUntilGone(form));
    ASSERT_EQ(glimmet.Close(), 0u);
    conf = ReadFileBytes(glimmet.ConfPath());
    for (const Step& step : steps) EXPECT_NE(conf.find(std::string(step.line) + "\r\n"), std::string::npos) << step.line;
    for (const char* line : {"shiftx = -12", "hotkey = F3", "setting no = 3"})
      EXPECT_NE(conf.find(std::string(line) + "\r\n"), std::string::npos) << line;
  }
  TempFolder again;
  GlimmetSession glimmet(again, conf);
  HWND form = OpenSettings(glimmet);
  EXPECT_TRUE(ShowsPage(form, 3));
  EXPECT_EQ(WindowText(Control(form, IDC_SET_SHIFT_X)), L"-12");
  EXPECT_TRUE(::IsWindowVisible(Control(form, IDC_SET_CHIME)));
}
