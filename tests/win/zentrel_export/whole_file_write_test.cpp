// The whole-file write under Wine: the file holds exactly the bytes afterwards, or the write
// reports failure and leaves what was there, with no temporary file left behind either way.
#include "zentrel/platform/whole_file_write.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using zentrel::platform::WriteWholeFile;

namespace {

class WholeFileWriteTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"zentrel_write_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
              std::to_wstring(GetTickCount64());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    for (const auto& name : Names()) {
      const std::wstring path = folder_ + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }

  std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }

  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
  }

  static std::string Read(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
  }

  std::wstring folder_;
};

}  // namespace

TEST_F(WholeFileWriteTest, CreatesTheFileWithExactlyTheBytes) {
  const std::string bytes("a\r\n\0\x82\xa0\r\n", 8);
  ASSERT_TRUE(WriteWholeFile(Path(L"list.txt"), bytes));
  EXPECT_EQ(Read(Path(L"list.txt")), bytes);
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"list.txt"});
}

TEST_F(WholeFileWriteTest, ReplacesALongerFileWithoutLeavingItsTail) {
  Write(Path(L"list.txt"), std::string(1000, 'x'));
  ASSERT_TRUE(WriteWholeFile(Path(L"list.txt"), "short\r\n"));
  EXPECT_EQ(Read(Path(L"list.txt")), "short\r\n");
  ASSERT_TRUE(WriteWholeFile(Path(L"list.txt"), ""));
  EXPECT_EQ(Read(Path(L"list.txt")), "");
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"list.txt"});
}

TEST_F(WholeFileWriteTest, RelativePathLandsInTheCurrentDirectory) {
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(folder_.c_str()));
  const bool written = WriteWholeFile(L"./zentrel.log", "log\r\n");
  SetCurrentDirectoryW(previous);
  ASSERT_TRUE(written);
  EXPECT_EQ(Read(Path(L"zentrel.log")), "log\r\n");
}

TEST_F(WholeFileWriteTest, MissingFolderFailsAndCreatesNothing) {
  EXPECT_FALSE(WriteWholeFile(Path(L"missing\\list.txt"), "x"));
  EXPECT_TRUE(Names().empty());
}

TEST_F(WholeFileWriteTest, FolderInThePlaceOfTheFileFailsAndStaysAFolder) {
  ASSERT_TRUE(CreateDirectoryW(Path(L"list.txt").c_str(), nullptr));
  EXPECT_FALSE(WriteWholeFile(Path(L"list.txt"), "x"));
  EXPECT_EQ(GetFileAttributesW(Path(L"list.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"list.txt"}) << "no temporary file left";
}

TEST_F(WholeFileWriteTest, ReadOnlyFileIsNotReplacedAndKeepsItsContent) {
  Write(Path(L"list.txt"), "kept");
  ASSERT_TRUE(SetFileAttributesW(Path(L"list.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteWholeFile(Path(L"list.txt"), "new"));
  EXPECT_EQ(Read(Path(L"list.txt")), "kept");
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"list.txt"}) << "no temporary file left";
}
