// Closing Zentrel: every way ends the program cleanly and leaves the settings file behind.
#include "zentrel_shell.h"

#include <regex>

using namespace guidriver;
using namespace zentrel_ui;

namespace {

// The skeleton: declaration in Shift_JIS, root Moravane version 1.0.0, empty config. Quotes and
// blanks between elements are the XML writer's business, not ours.
bool IsSkeleton(const std::string& xml) {
  static const std::regex skeleton(
      R"(^<\?xml version=["']1\.0["'] encoding=["']Shift_JIS["']\?>\s*)"
      R"(<Moravane version=["']1\.0\.0["']>\s*(<config\s*/>|<config>\s*</config>)\s*</Moravane>\s*$)");
  return std::regex_search(xml, skeleton);
}

enum class CloseBy { CloseButton, ExitMenu, CloseMessage, CloseBox, AltF4 };

std::string CloseWayName(CloseBy way) {
  switch (way) {
    case CloseBy::CloseButton: return "CloseButton";
    case CloseBy::ExitMenu: return "ExitMenu";
    case CloseBy::CloseMessage: return "CloseMessage";
    case CloseBy::CloseBox: return "CloseBox";
    case CloseBy::AltF4: return "AltF4";
  }
  return "Unknown";
}

std::string ParamName(const testing::TestParamInfo<CloseBy>& info) { return CloseWayName(info.param); }

// Readable test names in CTest, which lists each parameter's printed value.
void PrintTo(CloseBy way, std::ostream* out) { *out << CloseWayName(way); }

}  // namespace

TEST(ZentrelConfigSkeleton, RecognisesOnlyTheSkeleton) {
  EXPECT_TRUE(IsSkeleton("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                         "<Moravane version=\"1.0.0\"><config/></Moravane>\r\n"));
  EXPECT_TRUE(IsSkeleton("<?xml version='1.0' encoding='Shift_JIS'?>\n<Moravane version=\"1.0.0\">"
                         "<config></config></Moravane>\n"));
  EXPECT_FALSE(IsSkeleton("<?xml version=\"1.0\"?><Moravane version=\"1.0.0\"><config/></Moravane>"));
  EXPECT_FALSE(IsSkeleton("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Moravane><config/></Moravane>"));
  EXPECT_FALSE(IsSkeleton("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>"
                          "<Moravane version=\"1.0.0\"><config><a>1</a></config></Moravane>"));
}

class ZentrelCloseTest : public ZentrelTest, public testing::WithParamInterface<CloseBy> {};

TEST_P(ZentrelCloseTest, EndsWithExitCodeZeroAndLeavesTheSkeletonSettingsFile) {
  switch (GetParam()) {
    case CloseBy::CloseButton: ClickButton(Item(kClose)); break;
    case CloseBy::ExitMenu: PostCommand(main_, kMenuExit); break;
    case CloseBy::CloseMessage: Post(main_, WM_CLOSE); break;
    case CloseBy::CloseBox: Post(main_, WM_SYSCOMMAND, SC_CLOSE); break;
    case CloseBy::AltF4: PostAltKeyPress(main_, VK_F4); break;
  }
  EXPECT_EQ(process_->WaitForExit(), 0u);
  const std::string xml = ReadFileBytes(folder_.File(kConfigFile));
  EXPECT_TRUE(IsSkeleton(xml)) << xml;
}

INSTANTIATE_TEST_SUITE_P(EveryWay, ZentrelCloseTest,
                         testing::Values(CloseBy::CloseButton, CloseBy::ExitMenu, CloseBy::CloseMessage,
                                         CloseBy::CloseBox, CloseBy::AltF4),
                         ParamName);

TEST_F(ZentrelTest, WritesTheSkeletonAtStartBeforeAnyClose) {
  ASSERT_TRUE(FileExists(folder_.File(kConfigFile)));
  const std::string xml = ReadFileBytes(folder_.File(kConfigFile));
  EXPECT_TRUE(IsSkeleton(xml)) << xml;
}

// A second run reads the file the first one wrote and writes back what it holds.
class ZentrelExistingSettingsTest : public ZentrelTest {
 protected:
  void SetUp() override {}  // each test writes the settings file before starting
};

TEST_F(ZentrelExistingSettingsTest, KeepsTheValuesOfAnExistingFileWhenItCloses) {
  WriteFileBytes(folder_.File(kConfigFile),
                 "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                 "<Moravane version=\"1.0.0\">\r\n  <config>\r\n    <readsize>500</readsize>\r\n"
                 "    <ignore><suffix>.exe</suffix></ignore>\r\n  </config>\r\n</Moravane>\r\n");
  Start();
  PostCommand(main_, kMenuExit);
  EXPECT_EQ(process_->WaitForExit(), 0u);
  const std::string xml = ReadFileBytes(folder_.File(kConfigFile));
  EXPECT_NE(xml.find("<readsize>500</readsize>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<suffix>.exe</suffix>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("Shift_JIS"), std::string::npos) << xml;
}

TEST_F(ZentrelExistingSettingsTest, KeepsADamagedSettingsFileBesideTheNewSkeleton) {
  const std::string damaged = "this is not XML <readsize>9";
  WriteFileBytes(folder_.File(kConfigFile), damaged);
  Start();
  PostCommand(main_, kMenuExit);
  EXPECT_EQ(process_->WaitForExit(), 0u);
  const std::string xml = ReadFileBytes(folder_.File(kConfigFile));
  EXPECT_TRUE(IsSkeleton(xml)) << xml;
  // The user's old file must survive somewhere beside it, whatever its name.
  bool kept = false;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(folder_.File(L"*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L".." && name != kConfigFile &&
        ReadFileBytes(folder_.File(name)) == damaged) {
      kept = true;
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  EXPECT_TRUE(kept) << "no copy of the damaged settings file beside Zentrel.config";
}

// Neither loaded nor copied aside (a folder holds the backup's name): Zentrel says so once, runs on
// the fallbacks and leaves the file exactly as it was.
TEST_F(ZentrelExistingSettingsTest, StartsOnTheFallbacksWhenADamagedFileCannotBeBackedUp) {
  const std::string damaged = "this is not XML <readsize>9";
  WriteFileBytes(folder_.File(kConfigFile), damaged);
  ASSERT_TRUE(::CreateDirectoryW(folder_.File(kConfigFile + L".bak").c_str(), nullptr));
  process_ = std::make_unique<Process>(Process::Start(ProgramBesideTest(L"Zentrel.exe"), {}, folder_.Path()));
  HWND box = WaitForDialog(L"ERROR", process_->Id());
  EXPECT_NE(MessageBoxText(box).find(folder_.File(kConfigFile)), std::wstring::npos) << Utf8(MessageBoxText(box));
  PressButton(box, IDOK);
  main_ = process_->WaitForMainWindow({.className = L"#32770", .caption = L"Zentrel"});

  PostCommand(main_, kMenuExit);
  EXPECT_EQ(process_->WaitForExit(), 0u);
  EXPECT_EQ(ReadFileBytes(folder_.File(kConfigFile)), damaged);
}
