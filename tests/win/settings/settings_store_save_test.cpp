// Writing the file: Japanese text in Shift_JIS, characters Shift_JIS lacks, markup characters,
// and saves that cannot succeed.
#include <gtest/gtest.h>

#include "settings_test_files.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel {
namespace {

class SettingsStoreSave : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(store.LoadSettings().origin, SettingsOrigin::Created); }

  // A second store over the same file, as at the next start.
  SettingsStore Reopen() {
    SettingsStore reopened(path);
    EXPECT_EQ(reopened.LoadSettings().origin, SettingsOrigin::Loaded);
    return reopened;
  }

  test::TempFolder folder;
  std::wstring path = folder.File(L"Zentrel.config");
  SettingsStore store{path};
};

TEST_F(SettingsStoreSave, JapaneseTextIsWrittenInShiftJisAndReadsBackTheSame) {
  const std::wstring app = L"C:\\\x30C4\x30FC\x30EB\\\x8868\x793A.exe";  // a 0x5C trail byte in the second kanji pair
  store.SetSettingString(L"openapp", app);
  store.WriteIgnoreList({L"\x4E0B\x66F8\x304D", L".txt"});
  store.SaveSettings();
  const std::string file = test::ReadBytes(path);
  EXPECT_NE(file.find("<openapp>C:\\\x83\x63\x81\x5B\x83\x8B\\\x95\x5C\x8E\xA6.exe</openapp>"), std::string::npos)
      << file;
  EXPECT_NE(file.find("<suffix>\x89\xBA\x8F\x91\x82\xAB</suffix>"), std::string::npos) << file;
  SettingsStore reopened = Reopen();
  EXPECT_EQ(reopened.GetSettingString(L"openapp", L""), app);
  EXPECT_EQ(reopened.ReadIgnoreList(), (std::vector<std::wstring>{L"\x4E0B\x66F8\x304D", L".txt"}));
}

TEST_F(SettingsStoreSave, CharactersShiftJisLacksBecomeReferencesAndNothingElseIsLost) {
  const std::wstring app = L"C:\\\xD83D\xDE00\\\x00A5\x65E5.exe";
  store.SetSettingInt(L"readsize", 4096);
  store.SetSettingString(L"openapp", app);
  store.WriteIgnoreList({L".\x20AC", L".log"});
  store.SaveSettings();
  const std::string file = test::ReadBytes(path);
  EXPECT_NE(file.find("<openapp>C:\\&#x1F600;\\&#xA5;\x93\xfa.exe</openapp>"), std::string::npos) << file;
  EXPECT_NE(file.find("<suffix>.&#x20AC;</suffix>"), std::string::npos) << file;
  SettingsStore reopened = Reopen();
  EXPECT_EQ(reopened.GetSettingString(L"openapp", L""), app);
  EXPECT_EQ(reopened.GetSettingInt(L"readsize", 1000), 4096);
  EXPECT_EQ(reopened.ReadIgnoreList(), (std::vector<std::wstring>{L".\x20AC", L".log"}));
}

TEST_F(SettingsStoreSave, MarkupAndLineEndCharactersInValuesReadBackAsText) {
  store.SetSettingString(L"delimchar", L"<&>\"'");
  store.SetSettingString(L"openapp", L"a\tb\rc\r\nd");
  store.WriteIgnoreList({L"^a&b$", L"]]>"});
  store.SaveSettings();
  EXPECT_NE(test::ReadBytes(path).find("<delimchar>&lt;&amp;&gt;\"'</delimchar>"), std::string::npos);
  SettingsStore reopened = Reopen();
  EXPECT_EQ(reopened.GetSettingString(L"delimchar", L","), L"<&>\"'");
  // A bare carriage return would come back as a line feed after the parser's line-end rule.
  EXPECT_EQ(reopened.GetSettingString(L"openapp", L""), L"a\tb\rc\r\nd");
  EXPECT_EQ(reopened.ReadIgnoreList(), (std::vector<std::wstring>{L"^a&b$", L"]]>"}));
}

TEST_F(SettingsStoreSave, ASaveThatCannotWriteIsReportedAndKeepsThePreviousFile) {
  store.SetSettingInt(L"readsize", 1);
  store.SaveSettings();
  const std::string before = test::ReadBytes(path);
  store.SetSettingInt(L"readsize", 2);
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));  // the user's "do not change"
  EXPECT_THROW(store.SaveSettings(), SettingsError);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(test::ReadBytes(path), before);
  // A folder in the way of a fixed temporary name no longer stops a save.
  test::MakeFolder(path + L".tmp");
  store.SaveSettings();
  EXPECT_NE(test::ReadBytes(path), before);
}

TEST_F(SettingsStoreSave, ASettingsPathThatHasBecomeAFolderIsReportedAndLeftAlone) {
  ASSERT_TRUE(DeleteFileW(path.c_str()));
  test::MakeFolder(path);
  EXPECT_THROW(store.SaveSettings(), SettingsError);
  EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_FALSE(test::Exists(path + L".tmp"));
  // At the next start the folder is neither loaded nor backed up nor replaced.
  SettingsStore next(path);
  EXPECT_EQ(next.LoadSettings().origin, SettingsOrigin::KeptUnreadable);
  EXPECT_THROW(next.SaveSettings(), SettingsError);
  EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(SettingsStoreSave, AStoreThatNeverLoadedCannotSave) {
  SettingsStore unloaded(folder.File(L"other.config"));
  try {
    unloaded.SaveSettings();
    FAIL() << "saving a store that never loaded must fail";
  } catch (const SettingsError& error) {
    EXPECT_EQ(error.Result(), E_UNEXPECTED);
  }
  EXPECT_FALSE(test::Exists(folder.File(L"other.config")));
}

TEST_F(SettingsStoreSave, ASaveIntoAMissingFolderIsReported) {
  SettingsStore lost(folder.File(L"gone\\Zentrel.config"));
  lost.LoadSettings();
  try {
    lost.SaveSettings();
    FAIL() << "saving into a missing folder must fail";
  } catch (const SettingsError& error) {
    EXPECT_EQ(error.Result(), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
  }
}

}  // namespace
}  // namespace zentrel
