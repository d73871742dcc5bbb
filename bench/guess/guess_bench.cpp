// Whole-file guessing speed on Japanese text in each encoding, beside the same run's `cat` and
// `nkf -g` over the same bytes on disk. Not run by ctest: ./guess_bench [megabytes]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "best_cpu_seconds.h"
#include "nkf32/guess.h"

namespace {

using namespace std::string_view_literals;
using Clock = std::chrono::steady_clock;

struct BenchText {
  const char* name;
  std::string_view paragraph;
};

#include "bench_text.inc"

template <class F>
double BestSeconds(int runs, F&& f) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    f();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

double CommandSeconds(const std::string& command) {
  return BestSeconds(3, [&] {
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
  });
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
  const auto file = std::filesystem::temp_directory_path() / "guess_bench_text.bin";
  std::printf("%-12s %10s %10s %10s %10s %10s %8s %8s  %s\n", "encoding", "ours MB/s", "cpu MB/s", "stream",
              "cat MB/s", "nkf -g", "vs cat", "vs nkf", "verdict");
  for (const BenchText& t : kBenchTexts) {
    std::string text;
    text.reserve(megabytes << 20);
    while (text.size() + t.paragraph.size() <= (megabytes << 20)) text += t.paragraph;
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    const double mb = static_cast<double>(text.size()) / 1e6;

    nkf::GuessResult result;
    const double ours = BestSeconds(5, [&] { result = nkf::GuessEncoding(bytes); });
    const double cpu = BestCpuSeconds(5, [&] { result = nkf::GuessEncoding(bytes); });
    const double stream = BestSeconds(5, [&] {
      nkf::EncodingGuesser g;
      for (std::size_t at = 0; at < bytes.size(); at += 65536)
        g.Feed(bytes.subspan(at, std::min<std::size_t>(65536, bytes.size() - at)));
      result = g.Finish();
    });

    std::ofstream(file, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    const double cat = CommandSeconds("cat '" + file.string() + "' > /dev/null");
    const double nkf = CommandSeconds("nkf -g '" + file.string() + "' > /dev/null 2>&1");
    std::printf("%-12s %10.0f %10.0f %10.0f %10.0f %10.0f %8.2f %8.1f  %s\n", t.name, mb / ours, mb / cpu, mb / stream, mb / cat,
                mb / nkf, cat / ours, nkf / ours, std::string(nkf::EncodingName(result.encoding)).c_str());
  }
  std::filesystem::remove(file);
  return 0;
}
