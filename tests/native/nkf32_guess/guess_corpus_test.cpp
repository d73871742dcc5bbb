// The shared sample corpus: whole files and their first 1000 bytes (what Zentrel reads by
// default) against the manifest, and against the Debian nkf command where its answer is sound.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "guess_test_support.h"

namespace nkf::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = NKF32_GUESS_CORPUS_DIR;
const fs::path kNkf = NKF32_GUESS_NKF_COMMAND;

struct Entry {
  std::string path, encoding, family, firstFamily;
};

std::vector<Entry> ReadManifest() {
  std::vector<Entry> entries;
  std::ifstream in(kCorpus / "manifest.tsv");
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> cols;
    std::stringstream ss(line);
    for (std::string col; std::getline(ss, col, '\t');) cols.push_back(col);
    if (cols.size() >= 6) entries.push_back({cols[0], cols[1], cols[3], cols[5]});
  }
  return entries;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// The names each manifest family may be given. Text with stray NUL bytes may keep its text's
// name (Zentrel's NUL rule then shows "BINARY" unless the name is UTF-8 or UTF-16) or be binary.
bool FamilyAccepts(const std::string& family, std::string_view name) {
  static const std::multimap<std::string, std::string_view> kNames = {
      {"ASCII", "ASCII"},       {"EMPTY", "ASCII"},         {"SJIS", "Shift_JIS"},
      {"SJIS", "CP932"},        {"EUCJP", "EUC-JP"},        {"JIS", "ISO-2022-JP"},
      {"UTF8", "UTF-8"},        {"UTF16LE", "UTF-16"},      {"UTF16BE", "UTF-16"},
      {"BINARY", "BINARY"},     {"TEXT+NUL", "ASCII"},      {"TEXT+NUL", "UTF-8"},
      {"TEXT+NUL", "BINARY"},
  };
  const auto [first, last] = kNames.equal_range(family);
  for (auto it = first; it != last; ++it)
    if (it->second == name) return true;
  return false;
}

// Files the guesser is known to get wrong, with the reason. Empty: every sample is right.
const std::map<std::string, std::string> kKnownFailures = {};

TEST(GuessCorpus, WholeFilesAndFirstThousandBytesGetTheirFamily) {
  if (!fs::exists(kCorpus / "manifest.tsv")) GTEST_SKIP() << "no corpus at " << kCorpus;
  const auto entries = ReadManifest();
  ASSERT_FALSE(entries.empty());
  int text = 0, textWhole = 0, textFirst = 0, binary = 0, binaryWhole = 0;
  for (const Entry& e : entries) {
    const std::string bytes = ReadFile(kCorpus / e.path);
    const std::string_view whole = EncodingName(Guess(bytes).encoding);
    const std::string_view first = EncodingName(Guess(std::string_view(bytes).substr(0, 1000)).encoding);
    const bool wholeOk = FamilyAccepts(e.family, whole);
    const bool firstOk = FamilyAccepts(e.firstFamily, first);
    if (e.family == "BINARY") {
      ++binary;
      binaryWhole += wholeOk;
    } else {
      ++text;
      textWhole += wholeOk;
      textFirst += firstOk;
    }
    if ((!wholeOk || !firstOk) && !kKnownFailures.contains(e.path))
      ADD_FAILURE() << e.path << " (" << e.encoding << "): whole " << whole << " for " << e.family
                    << ", first 1000 bytes " << first << " for " << e.firstFamily;
  }
  std::printf("corpus: text whole %d/%d (%.2f%%), first 1000 bytes %d/%d (%.2f%%), binary %d/%d\n",
              textWhole, text, 100.0 * textWhole / text, textFirst, text, 100.0 * textFirst / text,
              binaryWhole, binary);
  EXPECT_GE(textWhole * 1000, text * 998);
  EXPECT_GE(textFirst * 1000, text * 995);
  EXPECT_EQ(binaryWhole, binary);
}

std::string NkfGuess(const fs::path& file) {
  const std::string command = kNkf.string() + " -g '" + file.string() + "'";
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

// Where nkf is known to be wrong: it has no notion of UTF-16 without a byte-order mark, and it
// calls UTF-8 with four-byte characters (emoji) binary.
bool NkfIsSoundFor(const Entry& e, std::string_view nkfName, std::string_view ours) {
  const bool bomlessUtf16 = (e.family == "UTF16LE" || e.family == "UTF16BE") &&
                            e.encoding.find("BOM") == std::string::npos;
  const bool emojiUtf8 = ours == "UTF-8" && nkfName == "BINARY" && e.path.starts_with("emoji/");
  return !bomlessUtf16 && !emojiUtf8;
}

TEST(GuessCorpus, AgreesWithTheDebianNkfWhereItsAnswerIsSound) {
  if (!fs::exists(kCorpus / "manifest.tsv")) GTEST_SKIP() << "no corpus at " << kCorpus;
  if (!fs::exists(kNkf)) GTEST_SKIP() << "no " << kNkf;
  int compared = 0, agreed = 0;
  for (const Entry& e : ReadManifest()) {
    const std::string ours(EncodingName(Guess(ReadFile(kCorpus / e.path)).encoding));
    const std::string theirs = NkfGuess(kCorpus / e.path);
    if (!NkfIsSoundFor(e, theirs, ours)) continue;
    ++compared;
    agreed += ours == theirs;
    EXPECT_EQ(ours, theirs) << e.path << " (" << e.encoding << ")";
  }
  std::printf("nkf -g agreement: %d/%d\n", agreed, compared);
  EXPECT_GT(compared, 300);
}

}  // namespace
}  // namespace nkf::test
