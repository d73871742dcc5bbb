// Converting listed files through the progress dialog: every target encoding and line ending in
// place and into an output folder, byte for byte against Python's codecs; refusals; questions.
#include <array>

#include "zentrel_convert_session.h"

using namespace guidriver;
using namespace zentrel_ui;

namespace {

const std::array<const wchar_t*, 6> kTargetNames = {L"sjis", L"eucjp", L"utf8", L"utf16le", L"utf16be", L"jis"};
const std::array<const wchar_t*, 3> kEolNames = {L"crlf", L"cr", L"lf"};
const std::wstring kSuccess = L"success";

std::wstring ExpectedFolder(int target, int eol) {
  const std::wstring encoding = target == kKeepEncoding ? L"keep" : kTargetNames[static_cast<size_t>(target)];
  return ConvertFixtures() + L"\\expected\\" + encoding + L"_" + kEolNames[static_cast<size_t>(eol)];
}

// Every expected file of the target has the same bytes below `root`.
void ExpectTreeMatches(const std::wstring& root, const std::wstring& expected) {
  const std::vector<std::wstring> files = FilesBelow(expected);
  ASSERT_FALSE(files.empty());
  for (const std::wstring& file : files) {
    ASSERT_TRUE(FileExists(root + L"\\" + file)) << Utf8(file) << " missing below " << Utf8(root);
    EXPECT_EQ(ReadFileBytes(root + L"\\" + file), ReadFileBytes(expected + L"\\" + file))
        << Utf8(file) << " in " << Utf8(expected);
  }
}

// n rows that all say "success", then the closing re-check row.
void ExpectAllSucceeded(const Rows& status, size_t files) {
  ASSERT_EQ(status.size(), files + 1);
  for (size_t row = 0; row < files; ++row) EXPECT_EQ(status[row][1], kSuccess) << Utf8(status[row][0]);
  EXPECT_EQ(status[files][0], kRecheckRow);
  EXPECT_EQ(status[files][1], kRecheckDone);
}

}  // namespace

TEST_F(ZentrelConvertTest, IntoAnOutputFolderForEveryTargetAndLineEndingWithSubFoldersRecreated) {
  const std::wstring source = folder_.File(L"in");
  CopyTree(ConvertFixtures() + L"\\source", source);
  const size_t files = FilesBelow(source).size();
  Drop({source}, static_cast<int>(files));
  const Rows before = ResultRows();

  for (int target = kShiftJis; target <= kIso2022Jp; ++target) {
    for (int eol = kCrLf; eol <= kLf; ++eol) {
      SCOPED_TRACE(Utf8(std::wstring(kTargetNames[static_cast<size_t>(target)]) + L"_" + kEolNames[static_cast<size_t>(eol)]));
      const std::wstring out = folder_.File(std::wstring(L"out_") + kTargetNames[static_cast<size_t>(target)] +
                                            L"_" + kEolNames[static_cast<size_t>(eol)]);
      ExpectAllSucceeded(Convert(target, eol, out), files);
      ExpectTreeMatches(out, ExpectedFolder(target, eol));
    }
  }
  // The sources were only read: re-checked, their rows still describe them.
  ExpectTreeMatches(source, ConvertFixtures() + L"\\source");
  EXPECT_EQ(ResultRows(), before);
}

class ZentrelInPlaceTest : public ZentrelConvertTest, public testing::WithParamInterface<int> {};

TEST_P(ZentrelInPlaceTest, RewritesEveryFileAndReChecksItsRow) {
  const int target = GetParam();
  for (int eol = kCrLf; eol <= kLf; ++eol) {
    SCOPED_TRACE(Utf8(kEolNames[static_cast<size_t>(eol)]));
    const std::wstring tree = folder_.File(std::wstring(L"tree_") + kEolNames[static_cast<size_t>(eol)]);
    CopyTree(ConvertFixtures() + L"\\source", tree);
    const size_t files = FilesBelow(tree).size();
    Drop({tree}, static_cast<int>(files));
    ExpectAllSucceeded(Convert(eol == kCrLf ? target : kKeepEncoding, eol), files);
    // The first round chose the encoding, later rounds only add a line ending: the encoding choice
    // stays in the drop-down, so every round converts to the same target.
    ExpectTreeMatches(tree, ExpectedFolder(target, eol));
    static const std::array<const wchar_t*, 3> kEolTexts = {L"CR LF", L"CR", L"LF"};
    for (const auto& row : ResultRows()) EXPECT_EQ(row[2], kEolTexts[static_cast<size_t>(eol)]) << Utf8(row[0]);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryTarget, ZentrelInPlaceTest,
                         testing::Values(kShiftJis, kEucJp, kUtf8, kUtf16Le, kUtf16Be, kIso2022Jp),
                         [](const testing::TestParamInfo<int>& info) {
                           return Utf8(kTargetNames[static_cast<size_t>(info.param)]);
                         });

TEST_F(ZentrelConvertTest, OnlyALineEndingChosenKeepsEachFilesEncoding) {
  for (int eol = kCrLf; eol <= kLf; ++eol) {
    SCOPED_TRACE(Utf8(kEolNames[static_cast<size_t>(eol)]));
    const std::wstring tree = folder_.File(std::wstring(L"keep_") + kEolNames[static_cast<size_t>(eol)]);
    CopyTree(ConvertFixtures() + L"\\source", tree);
    const size_t files = FilesBelow(tree).size();
    Drop({tree}, static_cast<int>(files));
    const Rows before = ResultRows();
    ExpectAllSucceeded(Convert(kKeepEncoding, eol), files);
    ExpectTreeMatches(tree, ExpectedFolder(kKeepEncoding, eol));
    const Rows after = ResultRows();
    ASSERT_EQ(after.size(), before.size());
    for (size_t row = 0; row < after.size(); ++row) EXPECT_EQ(after[row][1], before[row][1]) << Utf8(after[row][0]);
  }
}

// The converter settings away from their fallbacks, each shaping the output: UTF-8 with a
// byte-order mark, UTF-16 without one, and Shift_JIS read by the JIS table rather than as CP932.
class ZentrelConverterSettingsTest : public ZentrelConvertTest {
 protected:
  void SetUp() override {
    WriteFileBytes(folder_.File(kConfigFile),
                   "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Moravane version=\"1.0.0\"><config>"
                   "<bom8>1</bom8><bom16>0</bom16><cp932>0</cp932></config></Moravane>\r\n");
    Start();
  }
};

TEST_F(ZentrelConverterSettingsTest, Bom8Bom16AndCp932EachTakeEffect) {
  const std::wstring fixtures = ConvertFixtures() + L"\\settings";
  Drop({fixtures + L"\\source"}, 1);
  ASSERT_EQ(ResultRows()[0][1], L"Shift_JIS");
  for (const int target : {kUtf8, kUtf16Le, kUtf16Be}) {
    const std::wstring name = kTargetNames[static_cast<size_t>(target)];
    SCOPED_TRACE(Utf8(name));
    const std::wstring out = folder_.File(L"settings_" + name);
    ExpectAllSucceeded(Convert(target, kKeepLineEndings, out), 1);
    ExpectTreeMatches(out, fixtures + L"\\" + name);
  }
}
