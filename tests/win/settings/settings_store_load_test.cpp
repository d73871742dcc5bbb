// Loading the settings file: first start, a file that loads, one that does not, and a document
// object that cannot be had.
#include <gtest/gtest.h>

#include "settings_test_files.h"
#include "zentrel/settings/settings_store.h"

namespace zentrel {
namespace {

constexpr char kSkeleton[] =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Moravane version=\"1.0.0\"><config/></Moravane>\r\n";

class SettingsStoreLoad : public ::testing::Test {
 protected:
  test::TempFolder folder;
  std::wstring path = folder.File(L"Zentrel.config");
  std::wstring backup = folder.File(L"Zentrel.config.bak");
};

TEST_F(SettingsStoreLoad, FirstStartWritesTheSkeletonAndEveryReaderFallsBack) {
  SettingsStore store(path);
  const LoadResult result = store.LoadSettings();
  EXPECT_EQ(result.origin, SettingsOrigin::Created);
  EXPECT_EQ(result.skeletonSaveResult, S_OK);
  EXPECT_EQ(test::ReadBytes(path), kSkeleton);
  EXPECT_FALSE(test::Exists(backup));
  EXPECT_FALSE(test::Exists(path + L".tmp"));
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 1000);
  EXPECT_EQ(store.GetSettingInt(L"cp932", 1), 1);
  EXPECT_EQ(store.GetSettingString(L"openapp", L""), L"");
  EXPECT_EQ(store.GetSettingString(L"delimchar", L","), L",");
  EXPECT_TRUE(store.ReadIgnoreList().empty());
}

TEST_F(SettingsStoreLoad, AnExistingFileIsReadAndLeftAsItWas) {
  const std::string file =
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Moravane version=\"1.0.0\"><config>"
      "<openapp>C:\\\x93\xfa\x96\x7b\\edit.exe</openapp><dclick>2</dclick>"
      "<ignore><suffix>.bak</suffix><suffix>\x83\x65\x83\x58\x83\x67</suffix></ignore>"
      "</config></Moravane>\r\n";
  test::WriteBytes(path, file);
  SettingsStore store(path);
  EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::Loaded);
  EXPECT_EQ(store.GetSettingString(L"openapp", L""), L"C:\\\x65E5\x672C\\edit.exe");
  EXPECT_EQ(store.GetSettingInt(L"dclick", 0), 2);
  EXPECT_EQ(store.ReadIgnoreList(), (std::vector<std::wstring>{L".bak", L"\x30C6\x30B9\x30C8"}));
  EXPECT_EQ(test::ReadBytes(path), file);
  EXPECT_FALSE(test::Exists(backup));
}

TEST_F(SettingsStoreLoad, AHandIndentedFileLoadsLikeTheWrittenOne) {
  test::WriteBytes(path,
                   "<?xml version='1.0' encoding='Shift_JIS'?>\r\n"
                   "<Moravane version=\"1.0.0\">\r\n"
                   "\t<config>\r\n"
                   "\t\t<readsize>4096</readsize>\n"
                   "\t\t<delimchar>;</delimchar>\r\n"
                   "    <ignore>\r\n"
                   "      <suffix>.obj</suffix>\r\n"
                   "      <suffix>.exe</suffix>\r\n"
                   "    </ignore>\r\n"
                   "\t</config>\r\n"
                   "</Moravane>\r\n");
  SettingsStore store(path);
  EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::Loaded);
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 4096);
  EXPECT_EQ(store.GetSettingString(L"delimchar", L","), L";");
  EXPECT_EQ(store.ReadIgnoreList(), (std::vector<std::wstring>{L".obj", L".exe"}));
  // The white space between elements is gone for good: the next save writes the compact form.
  store.SaveSettings();
  EXPECT_EQ(test::ReadBytes(path),
            "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Moravane version=\"1.0.0\"><config>"
            "<readsize>4096</readsize><delimchar>;</delimchar>"
            "<ignore><suffix>.obj</suffix><suffix>.exe</suffix></ignore></config></Moravane>\r\n");
}

TEST_F(SettingsStoreLoad, AFileThatIsNotXmlIsKeptAsBackupAndReplacedBySkeleton) {
  test::WriteBytes(path, "readsize=4096\r\nthis is not XML\r\n");
  SettingsStore store(path);
  const LoadResult result = store.LoadSettings();
  EXPECT_EQ(result.origin, SettingsOrigin::ReplacedDamaged);
  EXPECT_EQ(result.skeletonSaveResult, S_OK);
  EXPECT_EQ(test::ReadBytes(path), kSkeleton);
  EXPECT_EQ(test::ReadBytes(backup), "readsize=4096\r\nthis is not XML\r\n");
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 1000);
  EXPECT_TRUE(store.ReadIgnoreList().empty());
}

TEST_F(SettingsStoreLoad, DamagedFilesOfEveryKindAreBackedUp) {
  const std::string damaged[] = {
      "",                                                                           // empty
      "<Moravane version=\"1.0.0\"><config><readsize>1</readsize></config>",         // cut short
      "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><Moravane>\x82</Moravane>",     // broken Shift_JIS
      "<?xml version=\"1.0\" encoding=\"x-no-such\"?><Moravane/>",                   // unknown encoding
  };
  for (const std::string& bytes : damaged) {
    test::WriteBytes(path, bytes);
    SettingsStore store(path);
    EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::ReplacedDamaged) << bytes;
    EXPECT_EQ(test::ReadBytes(backup), bytes);
    EXPECT_EQ(test::ReadBytes(path), kSkeleton);
  }
}

TEST_F(SettingsStoreLoad, AnOlderBackupIsReplacedByTheNewlyDamagedFile) {
  test::WriteBytes(backup, "older backup");
  test::WriteBytes(path, "newer damage");
  SettingsStore store(path);
  EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::ReplacedDamaged);
  EXPECT_EQ(test::ReadBytes(backup), "newer damage");
}

// The program still starts, on the fallbacks, and the file outlives the run untouched.
TEST_F(SettingsStoreLoad, ADamagedFileThatCannotBeBackedUpIsKeptAndNeverWritten) {
  test::MakeFolder(backup);  // the copy cannot replace a folder
  test::WriteBytes(path, "damaged but precious");
  SettingsStore store(path);
  EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::KeptUnreadable);
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 1000);
  store.SetSettingInt(L"readsize", 0);
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 0);
  EXPECT_THROW(store.SaveSettings(), SettingsError);
  EXPECT_EQ(test::ReadBytes(path), "damaged but precious");
}

TEST_F(SettingsStoreLoad, AFileAnotherProgramHoldsOpenForWritingIsRead) {
  test::WriteBytes(path, kSkeleton);
  const HANDLE writer = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  SettingsStore store(path);
  const SettingsOrigin origin = store.LoadSettings().origin;
  CloseHandle(writer);
  EXPECT_EQ(origin, SettingsOrigin::Loaded);
  EXPECT_FALSE(test::Exists(backup));
}

TEST_F(SettingsStoreLoad, OtherEncodingsLoadAndAreWrittenBackAsShiftJis) {
  test::WriteBytes(path,
                   "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                   "<Moravane version=\"1.0.0\"><config><openapp>\xe6\x97\xa5.exe</openapp></config></Moravane>");
  SettingsStore store(path);
  EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::Loaded);
  EXPECT_EQ(store.GetSettingString(L"openapp", L""), L"\x65E5.exe");
  store.SaveSettings();
  EXPECT_EQ(test::ReadBytes(path),
            "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
            "<Moravane version=\"1.0.0\"><config><openapp>\x93\xfa.exe</openapp></config></Moravane>\r\n");
}

TEST_F(SettingsStoreLoad, AWellFormedFileWithoutConfigReadsAsFallbacksAndRefusesWrites) {
  const std::string file = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Other><readsize>5</readsize></Other>\r\n";
  test::WriteBytes(path, file);
  SettingsStore store(path);
  EXPECT_EQ(store.LoadSettings().origin, SettingsOrigin::Loaded);
  EXPECT_FALSE(test::Exists(backup));
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 1000);
  EXPECT_EQ(store.GetSettingString(L"openapp", L"x"), L"x");
  EXPECT_TRUE(store.ReadIgnoreList().empty());
  try {
    store.SetSettingInt(L"readsize", 0);
    FAIL() << "a setter without config must report it";
  } catch (const SettingsError& error) {
    EXPECT_EQ(error.Result(), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  }
  EXPECT_THROW(store.WriteIgnoreList({L".txt"}), SettingsError);
  store.SaveSettings();
  EXPECT_EQ(test::ReadBytes(path), file);
}

TEST_F(SettingsStoreLoad, AnUnknownDocumentClassIsReportedAndNothingIsWritten) {
  SettingsStore store(path, L"Zentrel.NoSuchDocument");
  try {
    store.LoadSettings();
    FAIL() << "creating the document must fail";
  } catch (const SettingsError& error) {
    EXPECT_EQ(error.Result(), CO_E_CLASSSTRING);
    EXPECT_EQ(dynamic_cast<const SettingsBackupError*>(&error), nullptr);
    EXPECT_NE(std::string(error.what()).find("0x800401F3"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(test::Exists(path));
  EXPECT_EQ(store.GetSettingInt(L"cp932", 1), 1);
  EXPECT_TRUE(store.ReadIgnoreList().empty());
  EXPECT_THROW(store.SetSettingInt(L"cp932", 0), SettingsError);
  EXPECT_THROW(store.SaveSettings(), SettingsError);
}

TEST_F(SettingsStoreLoad, AClassThatIsNoDomDocumentIsReported) {
  SettingsStore store(path, L"MSXML2.XMLHTTP");
  try {
    store.LoadSettings();
    FAIL() << "a class without IXMLDOMDocument2 must be refused";
  } catch (const SettingsError& error) {
    EXPECT_EQ(error.Result(), E_NOINTERFACE);
  }
  EXPECT_FALSE(test::Exists(path));
}

TEST_F(SettingsStoreLoad, ASkeletonThatCannotBeWrittenStillGivesAWorkingDocument) {
  const std::wstring unreachable = folder.File(L"no such folder\\Zentrel.config");
  SettingsStore store(unreachable);
  const LoadResult result = store.LoadSettings();
  EXPECT_EQ(result.origin, SettingsOrigin::Created);
  EXPECT_TRUE(FAILED(result.skeletonSaveResult));
  store.SetSettingInt(L"readsize", 0);
  EXPECT_EQ(store.GetSettingInt(L"readsize", 1000), 0);
  EXPECT_THROW(store.SaveSettings(), SettingsError);
}

}  // namespace
}  // namespace zentrel
