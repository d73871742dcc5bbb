// GuessEncoding over input held whole gathers only the evidence the verdict reads; the stream
// (every prober over every byte) is the reference it must agree with, verdict and position.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "guess_probes.h"
#include "guess_test_support.h"

namespace nkf::test {
namespace {

namespace fs = std::filesystem;

GuessResult GuessAsStream(std::string_view bytes) {
  EncodingGuesser guesser;
  guesser.Feed(Bytes(bytes));
  return guesser.Finish();
}

void ExpectSameAsStream(std::string_view bytes, const std::string& what) {
  const GuessResult whole = Guess(bytes);
  const GuessResult stream = GuessAsStream(bytes);
  ASSERT_EQ(whole.encoding, stream.encoding) << what;
  ASSERT_EQ(whole.hasBom, stream.hasBom) << what;
  ASSERT_EQ(whole.decidedAt, stream.decidedAt) << what;
}

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  const fs::path corpus = NKF32_GUESS_CORPUS_DIR;
  if (!fs::exists(corpus)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    files.push_back(out.str());
  }
  return files;
}

TEST(GuessWholeInput, AgreesWithTheStreamOnTheSamples) {
  for (const GuessSample& s : kGuessSamples) ExpectSameAsStream(s.bytes, s.name);
}

// Cuts at random places drop byte-order marks, split characters and surrogate pairs, and turn
// text of one kind into the 8-bit, 7-bit and UTF-16 readings each path treats differently.
TEST(GuessWholeInput, AgreesWithTheStreamOnCorpusFilesAndRandomCuts) {
  const std::vector<std::string> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus";
  std::mt19937 rng(21);
  for (std::size_t f = 0; f < files.size(); ++f) {
    const std::string_view file = files[f];
    ExpectSameAsStream(file.substr(0, guess::kStatsWindow), "file " + std::to_string(f));
    ExpectSameAsStream(file.substr(0, 1000), "first 1000 bytes of file " + std::to_string(f));
    for (int cut = 0; cut < 10 && !file.empty(); ++cut) {
      const std::size_t at = rng() % file.size();
      const std::size_t n = rng() % std::min<std::size_t>(file.size() - at + 1, 2000);
      ExpectSameAsStream(file.substr(at, n), "file " + std::to_string(f) + " at " + std::to_string(at));
    }
  }
}

// Past the statistics window the evidence splits: statistics of the first kStatsWindow bytes,
// structure of all of them. Files repeated past the window, one kind of text followed by
// another (ASCII statistics, 8-bit bytes only later), and errors on either side of the edge.
TEST(GuessWholeInput, AgreesWithTheStreamPastTheStatisticsWindow) {
  const std::vector<std::string> files = CorpusFiles();
  if (files.empty()) GTEST_SKIP() << "no corpus";
  constexpr std::size_t kWindow = guess::kStatsWindow;
  std::mt19937 rng(23);
  const auto repeated = [](std::string_view file, std::size_t size) {
    std::string out;
    while (out.size() < size) out += file;
    out.resize(size);
    return out;
  };
  // One case of four per file keeps the run short under the sanitizers.
  for (std::size_t f = 0; f < files.size(); ++f) {
    const std::string_view file = files[f];
    if (file.empty()) continue;
    const std::string what = "file " + std::to_string(f);
    const std::string longer = repeated(file, kWindow + 1 + rng() % 4096);
    const std::string_view other = files[rng() % files.size()];
    switch (f % 4) {
      case 0:
        ExpectSameAsStream(longer, what + " repeated");
        break;
      case 1: {
        const std::size_t at = rng() % file.size();
        ExpectSameAsStream(repeated(file.substr(at), kWindow + 1 + rng() % 4096), what + " repeated from " + std::to_string(at));
        break;
      }
      case 2: {
        const std::size_t edge = kWindow - 3000 + rng() % 6000;  // the second text begins near the edge
        ExpectSameAsStream(repeated(file, edge) + std::string(other), what + " then another at " + std::to_string(edge));
        break;
      }
      case 3: {
        // One stray byte of another text on either side of the window's edge.
        std::string stray = longer;
        const std::size_t where = rng() % 2 ? rng() % kWindow : kWindow + rng() % (stray.size() - kWindow);
        stray[where] = other.empty() ? '\x80' : other[rng() % other.size()];
        ExpectSameAsStream(stray, what + " with a stray byte at " + std::to_string(where));
        break;
      }
    }
  }
}

// Bytes drawn from the values the probers treat specially: NUL, line ends, ESC designations,
// surrogate halves, kana rows, lead and trail bytes of every encoding.
TEST(GuessWholeInput, AgreesWithTheStreamOnRandomBytes) {
  const std::string_view pieces[] = {"a"sv, "0"sv, " "sv, "\r\n"sv, "\n"sv, "\0"sv, "\x1b$B"sv, "\x1b(B"sv,
                                     "\x30"sv, "\x4e"sv, "\xd8"sv, "\xdc"sv, "\xff"sv, "\xfe"sv, "\x82"sv,
                                     "\xa0"sv, "\xa4"sv, "\xb1"sv, "\xde"sv, "\xe3\x81\x82"sv, "\x8e"sv,
                                     "\x8f"sv, "\xf0\x9f\x98\x80"sv, "\x01"sv, "\x7f"sv};
  std::mt19937 rng(22);
  for (int round = 0; round < 3000; ++round) {
    // A few pieces per input, so that one kind of byte can dominate as in real text.
    std::vector<std::string_view> alphabet;
    for (int k = 1 + static_cast<int>(rng() % 4); k > 0; --k) alphabet.push_back(pieces[rng() % std::size(pieces)]);
    std::string bytes;
    // Every twenty-fifth input reaches past the statistics window.
    const std::size_t length = round % 25 == 0 ? guess::kStatsWindow - 200 + rng() % 1000 : rng() % 1200;
    while (bytes.size() < length) bytes += alphabet[rng() % alphabet.size()];
    ExpectSameAsStream(bytes, "round " + std::to_string(round));
  }
}

}  // namespace
}  // namespace nkf::test
