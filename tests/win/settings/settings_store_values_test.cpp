// Reading and writing values and the ignore list in the document, checked through the file the
// store writes.
#include <gtest/gtest.h>

#include <climits>
#include <thread>

#include "settings_test_files.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel {
namespace {

constexpr char kHead[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Moravane version=\"1.0.0\">";
constexpr char kTail[] = "</Moravane>\r\n";

class SettingsStoreValues : public ::testing::Test {
 protected:
  // A store over a file whose config holds the given markup.
  SettingsStore& LoadWithConfig(const std::string& configContent) {
    test::WriteBytes(path, std::string(kHead) + "<config>" + configContent + "</config>" + kTail);
    EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::Loaded);
    return store;
  }
  SettingsStore& LoadFresh() {
    EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::Created);
    return store;
  }
  // What config holds in the saved file.
  std::string SavedConfig() {
    store.SaveSettings();
    const std::string file = test::ReadBytes(path);
    const std::string head = std::string(kHead), tail = std::string(kTail);
    EXPECT_TRUE(file.starts_with(head) && file.ends_with(tail)) << file;
    return file.substr(head.size(), file.size() - head.size() - tail.size());
  }

  test::TempFolder folder;
  std::wstring path = folder.File(L"Zentrel.config");
  SettingsStore store{path};
};

TEST_F(SettingsStoreValues, IntegerTextsReadByTheIntegerRule) {
  LoadWithConfig(
      "<readsize></readsize><logauto>12abc</logauto><dclick>7</dclick><bom8>  -12abc</bom8>"
      "<delimtype>abc</delimtype><logdate>+3</logdate><checktype>99999999999</checktype>");
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 0);
  EXPECT_EQ(store.GetSettingInt(L"logauto", 0), 12);
  EXPECT_EQ(store.GetSettingInt(L"dclick", 0), 7);
  EXPECT_EQ(store.GetSettingInt(L"bom8", 0), -12);
  EXPECT_EQ(store.GetSettingInt(L"delimtype", 5), 0);
  EXPECT_EQ(store.GetSettingInt(L"logdate", 0), 3);
  EXPECT_EQ(store.GetSettingInt(L"checktype", 0), INT_MAX);
  EXPECT_EQ(store.GetSettingInt(L"bom16", 1), 1);
}

TEST_F(SettingsStoreValues, AnEmptyElementIsAnEmptyTextNotAnAbsentKey) {
  LoadWithConfig("<openapp/><delimchar></delimchar>");
  EXPECT_EQ(store.GetSettingString(L"openapp", L"notepad.exe"), L"");
  EXPECT_EQ(store.GetSettingString(L"delimchar", L","), L"");
  EXPECT_EQ(store.GetSettingString(L"logauto", L"fallback"), L"fallback");
}

TEST_F(SettingsStoreValues, KeysOnlyDirectlyUnderConfigCount) {
  test::WriteBytes(path, std::string(kHead) + "<readsize>1</readsize><config><x><cp932>0</cp932></x></config>" + kTail);
  store.LoadSettings();
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 1000);
  EXPECT_EQ(store.GetSettingInt(L"cp932", 1), 1);
  EXPECT_EQ(store.GetSettingInt(L"config/x/cp932", 1), 1);
}

TEST_F(SettingsStoreValues, KeysAreAppendedInTheOrderOfTheirFirstWrite) {
  LoadFresh();
  store.SetSettingInt(L"readsize", 1000);
  store.SetSettingInt(L"bom8", 1);
  EXPECT_EQ(SavedConfig(), "<config><readsize>1000</readsize><bom8>1</bom8></config>");
  store.SetSettingInt(L"readsize", 0);
  EXPECT_EQ(SavedConfig(), "<config><readsize>0</readsize><bom8>1</bom8></config>");
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 0);
}

TEST_F(SettingsStoreValues, IntegersAreWrittenAsPlainSignedDecimals) {
  LoadFresh();
  store.SetSettingInt(L"a", 0);
  store.SetSettingInt(L"b", -5);
  store.SetSettingInt(L"c", INT_MIN);
  store.SetSettingInt(L"d", INT_MAX);
  EXPECT_EQ(SavedConfig(), "<config><a>0</a><b>-5</b><c>-2147483648</c><d>2147483647</d></config>");
}

TEST_F(SettingsStoreValues, ASetterReplacesAllContentOfTheKeyElement) {
  LoadWithConfig("<openapp>a<b>nested</b>c</openapp>");
  store.SetSettingString(L"openapp", L"notepad.exe");
  EXPECT_EQ(SavedConfig(), "<config><openapp>notepad.exe</openapp></config>");
}

TEST_F(SettingsStoreValues, SettersRefuseKeysAndTextsThatWouldBreakTheFile) {
  LoadWithConfig("<readsize>1</readsize>");
  for (const wchar_t* key : {L"", L"a/b", L"readsize[1]", L"..", L"a b"}) {
    EXPECT_THROW(store.SetSettingString(key, L"1"), SettingsError) << key;
  }
  EXPECT_THROW(store.SetSettingString(L"openapp", L"a\x01"), SettingsError);
  EXPECT_THROW(store.SetSettingString(L"openapp", L"\xD83D"), SettingsError);
  EXPECT_THROW(store.WriteIgnoreList({L".txt", L"\x0B"}), SettingsError);
  EXPECT_EQ(SavedConfig(), "<config><readsize>1</readsize></config>");
  EXPECT_EQ(store.GetSettingInt(L"a b", 7), 7);
}

TEST_F(SettingsStoreValues, TheIgnoreListIsAppendedAfterTheKeysAndMovesToTheEndOnEveryWrite) {
  LoadFresh();
  store.SetSettingInt(L"checktype", 0);
  store.WriteIgnoreList({L".txt", L"\x65E5\x672C"});
  store.SetSettingInt(L"logauto", 1);
  EXPECT_EQ(SavedConfig(),
            "<config><checktype>0</checktype><ignore><suffix>.txt</suffix><suffix>\x93\xfa\x96\x7b</suffix></ignore>"
            "<logauto>1</logauto></config>");
  store.WriteIgnoreList({});
  EXPECT_EQ(SavedConfig(), "<config><checktype>0</checktype><logauto>1</logauto><ignore/></config>");
  EXPECT_TRUE(store.ReadIgnoreList().empty());
}

TEST_F(SettingsStoreValues, TwoIgnoreElementsAreReadTogetherAndOnlyTheFirstIsReplaced) {
  LoadWithConfig(
      "<ignore><suffix>.a</suffix><suffix>.b</suffix></ignore><readsize>1</readsize>"
      "<ignore><suffix>.c</suffix></ignore>");
  EXPECT_EQ(store.ReadIgnoreList(), (std::vector<std::wstring>{L".a", L".b", L".c"}));
  store.WriteIgnoreList({L".x", L".y"});
  EXPECT_EQ(store.ReadIgnoreList(), (std::vector<std::wstring>{L".c", L".x", L".y"}));
  EXPECT_EQ(SavedConfig(),
            "<config><readsize>1</readsize><ignore><suffix>.c</suffix></ignore>"
            "<ignore><suffix>.x</suffix><suffix>.y</suffix></ignore></config>");
}

// The conversion worker reads the document the user-interface thread created, without COM set up
// on its own thread and without marshalling.
TEST_F(SettingsStoreValues, AnotherThreadReadsTheSameDocument) {
  LoadWithConfig("<readsize>77</readsize><openapp>edit.exe</openapp><ignore><suffix>.a</suffix></ignore>");
  std::int32_t size = 0;
  std::wstring app;
  std::vector<std::wstring> ignore;
  std::thread([&] {
    size = store.GetSettingInt(L"readsize", 1000);
    app = store.GetSettingString(L"openapp", L"");
    ignore = store.ReadIgnoreList();
  }).join();
  EXPECT_EQ(size, 77);
  EXPECT_EQ(app, L"edit.exe");
  EXPECT_EQ(ignore, std::vector<std::wstring>{L".a"});
}

// The keys the settings dialog writes on OK over a fresh file, in its order.
TEST_F(SettingsStoreValues, TheFirstDialogOkGivesTheDocumentedKeyOrder) {
  LoadFresh();
  store.SetSettingInt(L"dclick", 0);
  store.SetSettingInt(L"readsize", 0);
  store.SetSettingInt(L"delimtype", 0);
  store.SetSettingInt(L"checktype", 0);
  store.SetSettingInt(L"stringtype", 0);
  store.SetSettingInt(L"usefullpath", 0);
  for (const wchar_t* key : {L"bom8", L"bom16", L"cp932", L"logheader", L"logauto", L"logdate"}) {
    store.SetSettingInt(key, key == std::wstring(L"cp932") ? 1 : 0);
  }
  store.WriteIgnoreList({});
  EXPECT_EQ(SavedConfig(),
            "<config><dclick>0</dclick><readsize>0</readsize><delimtype>0</delimtype><checktype>0</checktype>"
            "<stringtype>0</stringtype><usefullpath>0</usefullpath><bom8>0</bom8><bom16>0</bom16>"
            "<cp932>1</cp932><logheader>0</logheader><logauto>0</logauto><logdate>0</logdate><ignore/></config>");
}

}  // namespace
}  // namespace zentrel
