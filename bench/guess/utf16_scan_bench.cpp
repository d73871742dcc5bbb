// The UTF-16 prober's table-driven scan beside its readable reference, over the guesser's window of
// kanji-dense Shift_JIS (which, read as UTF-16, looks Japanese enough for the guesser to score it).
// Not run by ctest: ./utf16_scan_bench [runs]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

#include "best_cpu_seconds.h"
#include "probe_utf16.h"

namespace {

// Kanji of JIS level 1, hiragana and punctuation as Shift_JIS byte pairs, CR LF every 40 or so.
std::vector<std::uint8_t> KanjiDenseShiftJis(std::size_t size) {
  std::mt19937 rng(20261208);
  const auto in = [&](unsigned first, unsigned last) { return std::uniform_int_distribution<unsigned>(first, last)(rng); };
  std::vector<std::uint8_t> text;
  while (text.size() + 2 <= size) {
    const unsigned kind = in(0, 9);
    if (kind < 6) {
      const unsigned trail = in(0x40, 0xFB);
      text.insert(text.end(), {static_cast<std::uint8_t>(in(0x88, 0x97)), static_cast<std::uint8_t>(trail < 0x7F ? trail : trail + 1)});
    } else if (kind < 9) {
      text.insert(text.end(), {0x82, static_cast<std::uint8_t>(in(0x9F, 0xF1))});
    } else {
      text.insert(text.end(), {0x81, static_cast<std::uint8_t>(in(0x41, 0x42))});
    }
    if (in(0, 39) == 0 && text.size() + 2 <= size) text.insert(text.end(), {'\r', '\n'});
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
  const std::vector<std::uint8_t> text = KanjiDenseShiftJis(64 * 1024);
  constexpr int kRepeat = 200;  // scans a timed run: a clock tick is coarse beside one window
  std::printf("%-10s %12s %12s %8s  %s\n", "order", "table MB/s", "scalar MB/s", "ratio", "same result");
  for (const bool big : {true, false}) {
    nkf::guess::Utf16Probe fast(big), readable(big);
    const double table = BestCpuSeconds(runs, [&] {
      for (int i = 0; i < kRepeat; ++i) (fast = nkf::guess::Utf16Probe(big)).Scan(text);
    });
    const double scalar = BestCpuSeconds(runs, [&] {
      for (int i = 0; i < kRepeat; ++i) (readable = nkf::guess::Utf16Probe(big)).ScanScalar(text);
    });
    const bool same = fast.Model().Score() == readable.Model().Score() && fast.Model().Chars() == readable.Model().Chars() &&
                      fast.Counts().kanji == readable.Counts().kanji && fast.Counts().implausible == readable.Counts().implausible;
    const double mb = static_cast<double>(text.size()) * kRepeat / 1e6;
    std::printf("%-10s %12.0f %12.0f %8.2f  %s\n", big ? "UTF-16BE" : "UTF-16LE", mb / table, mb / scalar, scalar / table,
                same ? "yes" : "NO");
  }
  return 0;
}
