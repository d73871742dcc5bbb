// Throughput of one conversion of a file held in memory, best of several runs, in MB/s (10^6 bytes
// of input per second). Prints three figures: the whole call as the library makes it (guess over the
// whole input + convert), the conversion alone with the input encoding given, and the guess alone;
// first by wall-clock time, then by the process's CPU time (steadier on a busy shared machine).
// Usage: nkf32_bench FILE OPTIONS INPUT-ENCODING [RUNS]
//        nkf32_bench --file SOURCE DESTINATION OPTIONS   (one file conversion: MB/s and peak memory)
//   INPUT-ENCODING: sjis, cp932, euc, utf8, utf16le (what the guess should find; used for the second figure)
#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "nkf32/convert.h"
#include "nkf32/file_convert.h"

namespace {

using Clock = std::chrono::steady_clock;

double CpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

struct Rate {
  double wall = 0;
  double cpu = 0;
};

template <class F>
Rate BestMbPerSecond(std::size_t bytes, int runs, F&& f) {
  Rate best;
  for (int i = 0; i < runs; ++i) {
    auto t0 = Clock::now();
    double c0 = CpuSeconds();
    f();
    double c = CpuSeconds() - c0;
    double s = std::chrono::duration<double>(Clock::now() - t0).count();
    if (s > 0) best.wall = std::max(best.wall, bytes / s / 1e6);
    if (c > 0) best.cpu = std::max(best.cpu, bytes / c / 1e6);
  }
  return best;
}

nkf::Encoding Named(const std::string& n) {
  if (n == "sjis") return nkf::Encoding::ShiftJis;
  if (n == "cp932") return nkf::Encoding::Cp932;
  if (n == "euc") return nkf::Encoding::EucJp;
  if (n == "utf16le") return nkf::Encoding::Utf16LE;
  return nkf::Encoding::Utf8;
}

int ConvertOneFile(const char* source, const char* destination, const char* optionText) {
  nkf::OptionsResult options = nkf::ParseOptions(optionText);
  if (!options.ok) return 2;
  std::uintmax_t bytes = std::filesystem::file_size(source);
  auto t0 = Clock::now();
  nkf::ConvertResult r = nkf::ConvertFile(source, destination, options.options);
  double s = std::chrono::duration<double>(Clock::now() - t0).count();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%s: %.0f MB in %.1f s, %.0f MB/s, peak resident memory %.1f MB, guessed %s\n",
              r.ok() ? "ok" : "failed", bytes / 1e6, s, bytes / s / 1e6, usage.ru_maxrss / 1024.0,
              std::string(nkf::EncodingName(r.input)).c_str());
  return r.ok() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "--file") == 0) return ConvertOneFile(argv[2], argv[3], argv[4]);
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s FILE OPTIONS INPUT-ENCODING [RUNS]\n", argv[0]);
    return 2;
  }
  std::ifstream f(argv[1], std::ios::binary);
  std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  nkf::OptionsResult options = nkf::ParseOptions(argv[2]);
  if (!options.ok) {
    std::fprintf(stderr, "bad options: %s\n", argv[2]);
    return 2;
  }
  int runs = argc > 4 ? std::atoi(argv[4]) : 5;
  std::vector<std::uint8_t> out;
  nkf::ConvertResult whole;
  Rate withGuess = BestMbPerSecond(input.size(), runs, [&] { whole = nkf::ConvertBuffer(input, options.options, out); });
  nkf::GuessResult known{Named(argv[3]), false, input.size()};
  nkf::ConvertResult given;
  Rate convertOnly =
      BestMbPerSecond(input.size(), runs, [&] { given = nkf::ConvertWithGuess(input, known, options.options, out); });
  nkf::GuessResult guess;
  Rate guessOnly = BestMbPerSecond(input.size(), runs, [&] { guess = nkf::GuessEncoding(input); });
  std::printf("%.0f %.0f %.0f %.0f %.0f %.0f %s %s %s\n", whole.ok() ? withGuess.wall : 0.0,
              given.ok() ? convertOnly.wall : 0.0, guessOnly.wall, whole.ok() ? withGuess.cpu : 0.0,
              given.ok() ? convertOnly.cpu : 0.0, guessOnly.cpu, std::string(nkf::EncodingName(guess.encoding)).c_str(),
              whole.ok() ? "ok" : "failed", given.ok() ? "ok" : "failed");
  return 0;
}
