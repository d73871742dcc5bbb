// Paths past MAX_PATH through the list's export and the open action.
#include "long_path_tree.h"
#include "zentrel_ui_steps.h"

using namespace guidriver;
using namespace zentrel_ui;
using long_path_tree::Verbatim;

namespace {

constexpr int kMenuOpenWithApplication = 202;

}  // namespace

class ZentrelLongPathListTest : public ZentrelSessionTest {
 protected:
  void StartWithTree(const std::string& settings) {
    StartWithSettings(settings);
    ::CreateDirectoryW(folder_.File(L"tree").c_str(), nullptr);
    tree_ = long_path_tree::WriteTree(folder_.File(L"tree"), "text\r\n");
    ASSERT_EQ(DropAndWait({tree_.root}).size(), tree_.files.size());
  }

  long_path_tree::Tree tree_;
};

// The list file itself goes where the save dialog can name it: Wine's explorer (the desktop) ends
// when the dialog is given a path past MAX_PATH, and the Windows dialog stops at MAX_PATH anyway.
TEST_F(ZentrelLongPathListTest, ListSavedHoldsEveryLongPathWhole) {
  StartWithTree("");
  SaveListTo(folder_.File(L"list.txt"));
  EXPECT_EQ(AnswerMessageBox(L"INFO"), kListSaved);
  const std::string saved = ReadFile(L"list.txt");
  for (const auto& file : tree_.files) EXPECT_NE(saved.find(Ascii(file) + "\t"), std::string::npos) << Ascii(file);
}

TEST_F(ZentrelLongPathListTest, ConfiguredApplicationGetsTheWholeLongPath) {
  const std::wstring recorder = folder_.File(L"recorder.exe");
  ASSERT_TRUE(::CopyFileW(ProgramBesideTest(L"command_line_recorder.exe").c_str(), recorder.c_str(), FALSE));
  StartWithTree("<openapp>" + Ascii(recorder) + "</openapp>");
  List().Select(1);
  PostCommand(main_, kMenuOpenWithApplication);
  const std::wstring record = folder_.File(L"command_line.txt");
  // The recorder creates the file, then writes its line in one write.
  std::string line;
  ASSERT_TRUE(WaitUntil([&] { return FileExists(record) && (line = ReadFileBytes(record)).size() > 2; },
                        "the recorder to write its command line"));
  const std::wstring commandLine(reinterpret_cast<const wchar_t*>(line.data()), line.size() / sizeof(wchar_t));
  EXPECT_TRUE(commandLine.ends_with(L" \"" + tree_.files[1] + L"\"\n")) << Utf8(commandLine);
}
