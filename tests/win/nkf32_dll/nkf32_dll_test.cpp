#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "nkf32_api.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

// The library, loaded by full path from this program's own folder (never through the search path).
class Nkf32 {
 public:
  Nkf32() {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    fs::path dll = fs::path(self).parent_path() / L"nkf32.dll";
    module_ = ::LoadLibraryExW(dll.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module_) return;
    setOption = Get<decltype(&SetNkfOption)>("SetNkfOption");
    convert = Get<decltype(&NkfConvertSafe)>("NkfConvertSafe");
    guess = Get<decltype(&GetNkfGuessW)>("GetNkfGuessW");
    convert1 = Get<decltype(&NkfFileConvert1SafeW)>("NkfFileConvert1SafeW");
    convert2 = Get<decltype(&NkfFileConvert2SafeW)>("NkfFileConvert2SafeW");
  }
  ~Nkf32() {
    if (module_) ::FreeLibrary(module_);
  }
  Nkf32(const Nkf32&) = delete;
  Nkf32& operator=(const Nkf32&) = delete;

  bool Loaded() const { return module_ && setOption && convert && guess && convert1 && convert2; }
  HMODULE Module() const { return module_; }

  // Part of the inspection: "-g", a one-byte output buffer, then the name into 256 characters.
  std::wstring Guess(const Bytes& data) {
    setOption("-g");
    char one[1];
    DWORD written = 0;
    convert(one, 1, &written, reinterpret_cast<const char*>(data.data()), static_cast<DWORD>(data.size()));
    wchar_t name[256] = L"untouched";
    guess(name, 256, &written);
    return name;
  }

  decltype(&SetNkfOption) setOption = nullptr;
  decltype(&NkfConvertSafe) convert = nullptr;
  decltype(&GetNkfGuessW) guess = nullptr;
  decltype(&NkfFileConvert1SafeW) convert1 = nullptr;
  decltype(&NkfFileConvert2SafeW) convert2 = nullptr;

 private:
  template <class F>
  F Get(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
  }
  HMODULE module_ = nullptr;
};

class Nkf32Dll : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lib_.Loaded());
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = fs::path(temp) /
           (L"nkf32_dll_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::wstring(test.begin(), test.end()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  fs::path Write(const wchar_t* name, const Bytes& data) {
    fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                              static_cast<std::streamsize>(data.size()));
    return p;
  }
  static Bytes Read(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  }
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  // As the conversion passes a path: its length plus one for the NUL.
  static DWORD Len(const fs::path& p) { return static_cast<DWORD>(p.native().size() + 1); }

  Nkf32 lib_;
  fs::path dir_;
};

const Bytes kUtf8Text = B("\xef\xbb\xbf\xe3\x81\x82\r\nb\r\n");
// "Japanese text. This is a test." with CR LF, in Shift_JIS and in EUC-JP.
const Bytes kSjisText = B("\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\x82\xc5\x82\xb7\x81\x42"
                          "\x82\xb1\x82\xea\x82\xcd\x8e\x8e\x8c\xb1\x82\xc5\x82\xb7\x81\x42\x0d\x0a");
const Bytes kEucText = B("\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xa5\xc6\xa5\xad\xa5\xb9\xa5\xc8\xa4\xc7\xa4\xb9\xa1\xa3"
                         "\xa4\xb3\xa4\xec\xa4\xcf\xbb\xee\xb8\xb3\xa4\xc7\xa4\xb9\xa1\xa3\x0d\x0a");
const Bytes kUtf8Bad = B("\xef\xbb\xbf\xe3\x81\x82\r\n\xff");

TEST_F(Nkf32Dll, ExportsExactlyTheFiveFunctionsByPlainName) {
  auto* base = reinterpret_cast<const BYTE*>(lib_.Module());
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::set<std::string> found;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) found.insert(reinterpret_cast<const char*>(base + names[i]));
  EXPECT_EQ(found, (std::set<std::string>{"GetNkfGuessW", "NkfConvertSafe", "NkfFileConvert1SafeW",
                                          "NkfFileConvert2SafeW", "SetNkfOption"}));
  EXPECT_EQ(exports->NumberOfFunctions, 5u);
}

TEST_F(Nkf32Dll, GuessWithAOneByteBufferNamesTheWholeInput) {
  EXPECT_EQ(lib_.Guess({}), L"ASCII");
  EXPECT_EQ(lib_.Guess(B("plain\r\n")), L"ASCII");
  EXPECT_EQ(lib_.Guess(kUtf8Text), L"UTF-8");
  EXPECT_EQ(lib_.Guess(B(std::string("\xff\xfe" "a\0\r\0\n\0", 8))), L"UTF-16");
  EXPECT_EQ(lib_.Guess(B(std::string("\xfe\xff\0a", 4))), L"UTF-16");
  EXPECT_EQ(lib_.Guess(kSjisText), L"Shift_JIS");
  EXPECT_EQ(lib_.Guess(kEucText), L"EUC-JP");
  // A large input is analysed as a whole, although nothing fits in the buffer.
  Bytes big(100000, 'a');
  big.insert(big.begin(), {0xEF, 0xBB, 0xBF});
  EXPECT_EQ(lib_.Guess(big), L"UTF-8");
}

TEST_F(Nkf32Dll, GuessNameWritesNothingBeyondItsCapacity) {
  lib_.Guess(kUtf8Text);
  wchar_t small[6];
  std::fill(std::begin(small), std::end(small), L'#');
  DWORD written = 99;
  EXPECT_FALSE(lib_.guess(small, 5, &written));
  EXPECT_EQ(small[0], L'\0');
  EXPECT_EQ(small[5], L'#');
  EXPECT_TRUE(lib_.guess(small, 6, &written));
  EXPECT_EQ(std::wstring(small), L"UTF-8");
  EXPECT_EQ(written, 5u);
}

TEST_F(Nkf32Dll, ConvertsInMemoryAndRefusesWhatDoesNotFit) {
  ASSERT_TRUE(lib_.setOption("-w16L0Lu"));
  char out[16];
  std::fill(std::begin(out), std::end(out), '#');
  DWORD written = 0;
  const char* in = reinterpret_cast<const char*>(kUtf8Text.data());
  ASSERT_TRUE(lib_.convert(out, sizeof out, &written, in, static_cast<DWORD>(kUtf8Text.size())));
  EXPECT_EQ(std::string(out, written), std::string("\x42\x30\n\0b\0\n\0", 8));
  std::fill(std::begin(out), std::end(out), '#');
  EXPECT_FALSE(lib_.convert(out, 7, &written, in, static_cast<DWORD>(kUtf8Text.size())));
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(std::count(std::begin(out), std::end(out), '#'), 16);
}

TEST_F(Nkf32Dll, UnknownOptionChangesNothing) {
  ASSERT_TRUE(lib_.setOption("-w80Lu"));
  EXPECT_FALSE(lib_.setOption("-w80Lx"));
  char out[16];
  DWORD written = 0;
  ASSERT_TRUE(lib_.convert(out, sizeof out, &written, reinterpret_cast<const char*>(kUtf8Text.data()),
                           static_cast<DWORD>(kUtf8Text.size())));
  EXPECT_EQ(std::string(out, written), "\xe3\x81\x82\nb\n");
}

TEST_F(Nkf32Dll, ConvertsAFileInPlace) {
  fs::path f = Write(L"in place.txt", kUtf8Text);
  ASSERT_TRUE(lib_.setOption("-sLu"));
  ASSERT_TRUE(lib_.convert1(f.c_str(), Len(f)));
  EXPECT_EQ(Read(f), B("\x82\xa0\nb\n"));
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(Nkf32Dll, ConvertsIntoAnotherFileCreatedOrReplaced) {
  fs::path src = Write(L"src.txt", kUtf8Text);
  fs::path dst = dir_ / L"dst.txt";
  ASSERT_TRUE(lib_.setOption("-w16B"));
  ASSERT_TRUE(lib_.convert2(src.c_str(), Len(src), dst.c_str(), Len(dst)));
  EXPECT_EQ(Read(dst), B(std::string("\xfe\xff\x30\x42\0\r\0\n\0b\0\r\0\n", 14)));
  EXPECT_EQ(Read(src), kUtf8Text);
  ASSERT_TRUE(lib_.setOption("-Lm"));  // no output letters: the encoding stays UTF-8
  ASSERT_TRUE(lib_.convert2(src.c_str(), Len(src), dst.c_str(), Len(dst)));
  EXPECT_EQ(Read(dst), B("\xef\xbb\xbf\xe3\x81\x82\rb\r"));
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(Nkf32Dll, ShiftJisSourceConvertedWithTheCp932HintAsTheConversionBuildsIt) {
  fs::path f = Write(L"sjis.txt", kSjisText);
  ASSERT_EQ(lib_.Guess(kSjisText), L"Shift_JIS");
  ASSERT_TRUE(lib_.setOption("--ic=CP932 -eLu"));
  ASSERT_TRUE(lib_.convert1(f.c_str(), Len(f)));
  Bytes expected = kEucText;
  expected.erase(expected.end() - 2);  // CR LF -> LF
  EXPECT_EQ(Read(f), expected);
  ASSERT_TRUE(lib_.setOption("-s"));
  ASSERT_TRUE(lib_.convert1(f.c_str(), Len(f)));
  expected = kSjisText;
  expected.erase(expected.end() - 2);
  EXPECT_EQ(Read(f), expected);
}

TEST_F(Nkf32Dll, FailureLeavesEveryFileUntouched) {
  fs::path src = Write(L"bad.txt", kUtf8Bad);
  fs::path dst = Write(L"dst.txt", B("precious"));
  ASSERT_TRUE(lib_.setOption("-s"));
  EXPECT_FALSE(lib_.convert1(src.c_str(), Len(src)));
  EXPECT_FALSE(lib_.convert2(src.c_str(), Len(src), dst.c_str(), Len(dst)));
  EXPECT_EQ(Read(src), kUtf8Bad);
  EXPECT_EQ(Read(dst), B("precious"));
  fs::path emoji = Write(L"emoji.txt", B("\xef\xbb\xbf\xf0\x9f\x98\x80"));
  EXPECT_FALSE(lib_.convert2(emoji.c_str(), Len(emoji), dst.c_str(), Len(dst)));
  EXPECT_EQ(Read(dst), B("precious"));
  fs::path missing = dir_ / L"missing.txt";
  EXPECT_FALSE(lib_.convert2(missing.c_str(), Len(missing), dst.c_str(), Len(dst)));
  EXPECT_EQ(Read(dst), B("precious"));
  EXPECT_EQ(EntryCount(), 3u);  // no temporary file left behind
}

TEST_F(Nkf32Dll, PathLengthsAreNotTrustedBlindly) {
  fs::path f = Write(L"len.txt", kUtf8Text);
  ASSERT_TRUE(lib_.setOption("-w80"));
  // A length beyond the NUL: the path ends at its NUL.
  std::wstring padded = f.native() + std::wstring(L"\0garbage", 8);
  EXPECT_TRUE(lib_.convert1(padded.c_str(), static_cast<DWORD>(padded.size() + 1)));
  EXPECT_EQ(Read(f), B("\xe3\x81\x82\r\nb\r\n"));
  EXPECT_FALSE(lib_.convert1(f.c_str(), 0));
  EXPECT_FALSE(lib_.convert1(nullptr, 10));
  // A length that cuts the path short names another (missing) file: nothing happens to this one.
  Bytes before = Read(f);
  ASSERT_TRUE(lib_.setOption("-w16L"));
  EXPECT_FALSE(lib_.convert1(f.c_str(), Len(f) - 3));
  EXPECT_EQ(Read(f), before);
}

}  // namespace
