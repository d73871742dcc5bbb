// Paths past MAX_PATH through the list's export and the open action.
#include "long_path_tree.h"
#include "zentrel_ui_steps.h"

using namespace guidriver;
using namespace zentrel_ui;
using long_path_tree::Verbatim;

namespace {

constexpr int kMenuOpenDefault = 201;
constexpr int kMenuOpenWithApplication = 202;

// A file type of the test's own whose open command is `program "%1"`; gone with its owner. Written
// through HKEY_CLASSES_ROOT: Wine's shell does not read the current user's classes.
class FileTypeAssociation {
 public:
  FileTypeAssociation(const std::wstring& extension, const std::wstring& program) : extension_(extension) {
    Set(extension_, kType);
    Set(std::wstring(kType) + L"\\shell\\open\\command", L"\"" + program + L"\" \"%1\"");
  }
  ~FileTypeAssociation() {
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, extension_.c_str());
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kType);
  }
  FileTypeAssociation(const FileTypeAssociation&) = delete;
  FileTypeAssociation& operator=(const FileTypeAssociation&) = delete;

 private:
  static constexpr const wchar_t* kType = L"ZentrelLongPathTest.File";
  static void Set(const std::wstring& key, const std::wstring& value) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    if (::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(), bytes) != ERROR_SUCCESS)
      throw DriverError("cannot register " + Utf8(key));
  }
  std::wstring extension_;
};

// The recorder's first command line (it writes the file, then its line in one write).
std::wstring RecordedCommandLine(const std::wstring& record) {
  std::string line;
  if (!WaitUntil([&] { return FileExists(record) && (line = ReadFileBytes(record)).size() > 2; },
                 "the recorder to write its command line"))
    return {};
  return std::wstring(reinterpret_cast<const wchar_t*>(line.data()), line.size() / sizeof(wchar_t));
}

// The file a path names, by volume and index: a short (8.3) form and the long path are the same.
std::pair<DWORD, ULONGLONG> FileIdentity(const std::wstring& path) {
  FileHandle file(::CreateFileW(Verbatim(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file || !::GetFileInformationByHandle(file.Get(), &info)) ThrowLastError("cannot open " + Utf8(path));
  return {info.dwVolumeSerialNumber, (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

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
  const std::wstring commandLine = RecordedCommandLine(record);
  EXPECT_TRUE(commandLine.ends_with(L" \"" + tree_.files[1] + L"\"\n")) << Utf8(commandLine);
}

// The shell opens a file by a name shorter than MAX_PATH only: the default application gets a
// name of the same file that it can open, with its own extension (the short form of the long
// folder names; a path long only by its many short names has no shorter form).
TEST_F(ZentrelLongPathListTest, DefaultApplicationOpensTheFileBehindTheLongPath) {
  const std::wstring recorder = folder_.File(L"recorder.exe");
  ASSERT_TRUE(::CopyFileW(ProgramBesideTest(L"command_line_recorder.exe").c_str(), recorder.c_str(), FALSE));
  FileTypeAssociation association(L".zlongtest", recorder);
  StartWithTree("");
  const std::wstring file = tree_.files[1].substr(0, tree_.files[1].rfind(L'\\')) + L"\\open.zlongtest";
  WriteFileBytes(Verbatim(file), "text\r\n");
  ASSERT_EQ(DropAndWait({file}).size(), 1u);
  List().Select(0);
  PostCommand(main_, kMenuOpenDefault);
  const std::wstring commandLine = RecordedCommandLine(folder_.File(L"command_line.txt"));
  const size_t open = commandLine.rfind(L" \"");
  ASSERT_NE(open, std::wstring::npos) << Utf8(commandLine);
  const std::wstring opened = commandLine.substr(open + 2, commandLine.rfind(L'"') - open - 2);
  EXPECT_LT(opened.size(), static_cast<size_t>(MAX_PATH)) << Utf8(opened);
  EXPECT_TRUE(opened.ends_with(L"\\open.zlongtest")) << Utf8(opened);
  EXPECT_EQ(FileIdentity(opened), FileIdentity(file)) << Utf8(opened);
}
