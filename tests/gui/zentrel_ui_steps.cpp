#include "zentrel_ui_steps.h"

#include <regex>

using namespace guidriver;

namespace zentrel_ui {

std::string HexBytes(const char* hex) {
  std::string bytes;
  for (; hex[0] && hex[1]; hex += 2) bytes += static_cast<char>(std::stoi(std::string(hex, 2), nullptr, 16));
  return bytes;
}

std::string Ascii(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    if (c > 0x7f) throw DriverError("not ASCII: " + Utf8(text));
    bytes += static_cast<char>(c);
  }
  return bytes;
}

std::string SettingsXml(const std::string& configChildren) {
  return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Moravane version=\"1.0.0\"><config>" + configChildren +
         "</config></Moravane>\r\n";
}

void ZentrelSessionTest::StartWithSettings(const std::string& configChildren) {
  WriteFileBytes(folder_.File(kConfigFile), SettingsXml(configChildren));
  Start();
}

Rows ZentrelSessionTest::DropAndWait(const std::vector<std::wstring>& paths) {
  Send(main_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"dropping"));
  PostDrop(Item(kResultList), paths);
  EXPECT_TRUE(WaitForText(main_, kTitleDone));
  return List().AllRows();
}

void ZentrelSessionTest::SaveListTo(const std::wstring& path) {
  PostCommand(main_, kMenuSaveList);
  HWND dialog = WaitForDialog(kSaveDialogTitle, Pid());
  SetText(Control(dialog, 0x47c), path);
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntilGone(dialog));
}

std::wstring ZentrelSessionTest::AnswerMessageBox(const std::wstring& caption) {
  HWND box = WaitForDialog(caption, Pid());
  const std::wstring text = MessageBoxText(box);
  PressButton(box, IDOK);
  EXPECT_TRUE(WaitUntilGone(box));
  return text;
}

HWND ZentrelSessionTest::OpenSettingsDialog() {
  PostCommand(main_, kMenuSettings);
  return WaitForDialog(kSettingsTitle, Pid());
}

testing::AssertionResult ZentrelSessionTest::PostedMessagesHandled() {
  const bool folderChosen = IsChecked(Item(kFolderRadio));
  const int probe = folderChosen ? kReplaceRadio : kFolderRadio;
  PostCommand(main_, probe);
  return WaitUntil([&] { return IsEnabled(Item(kOutputEdit)) != folderChosen; },
                   "a command posted afterwards to take effect");
}

std::vector<std::wstring> ListBoxItems(HWND listBox) {
  std::vector<std::wstring> items;
  const auto count = static_cast<int>(Send(listBox, LB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    const auto length = static_cast<size_t>(Send(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i)));
    std::wstring text(length + 1, L'\0');
    const auto copied = Send(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    items.push_back(text);
  }
  return items;
}

int ListBoxSelection(HWND listBox) { return static_cast<int>(Send(listBox, LB_GETCURSEL)); }

std::vector<std::string> ConfigEntries(const std::string& xml) {
  std::smatch config;
  static const std::regex configElement(R"(<config>([\s\S]*)</config>|<config/>)");
  if (!std::regex_search(xml, config, configElement)) return {"(no config element)"};
  std::vector<std::string> entries;
  static const std::regex child(R"(<(\w+)\s*/>|<(\w+)>([\s\S]*?)</\2>)");
  const std::string body = config[1];
  for (std::sregex_iterator it(body.begin(), body.end(), child), end; it != end; ++it) {
    const auto& m = *it;
    entries.push_back(m[1].matched ? m[1].str() + "=" : m[2].str() + "=" + m[3].str());
  }
  return entries;
}

}  // namespace zentrel_ui
