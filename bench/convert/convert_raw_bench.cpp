// The anchor of the conversion benchmark: the library's own throughput on the tree's bytes, held
// in memory, each file converted as one buffer (guess over the whole input, then convert), with no
// file system in the way. Built natively and for Windows, so the anchor is measured on the same
// platform as the tool it is compared with.
// Usage: convert_raw_bench TREE [OPTIONS [ROUNDS]]   (OPTIONS default "--ic=CP932 -w80Lu")
// Prints: raw files=N bytes=B wall=SECONDS cpu=SECONDS   (best round of each)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "nkf32/convert.h"
#include "nkf32/options.h"
#include "process_cpu_time.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: convert_raw_bench TREE [OPTIONS [ROUNDS]]\n");
    return 2;
  }
  const std::string optionText = argc > 2 ? argv[2] : "--ic=CP932 -w80Lu";
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
  const nkf::OptionsResult options = nkf::ParseOptions(optionText);
  if (!options.ok) {
    std::fprintf(stderr, "convert_raw_bench: options not understood: %s\n", optionText.c_str());
    return 2;
  }
  std::vector<std::vector<std::uint8_t>> files;
  std::uint64_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(argv[1])) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    bytes += files.back().size();
  }
  double bestWall = 1e30, bestCpu = 1e30;
  std::vector<std::uint8_t> out;
  for (int round = 0; round < rounds; ++round) {
    const double cpu0 = convert_bench::CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (const auto& file : files) {
      const nkf::ConvertResult result = nkf::ConvertBuffer(file, options.options, out);
      if (!result.ok()) {
        std::fprintf(stderr, "convert_raw_bench: a file failed to convert (error %d at %llu)\n",
                     static_cast<int>(result.error),
                     static_cast<unsigned long long>(result.position));
        return 1;
      }
    }
    bestWall = std::min(
        bestWall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    bestCpu = std::min(bestCpu, convert_bench::CpuSeconds() - cpu0);
  }
  std::printf("raw files=%zu bytes=%llu wall=%.3f cpu=%.3f\n", files.size(),
              static_cast<unsigned long long>(bytes), bestWall, bestCpu);
  return 0;
}
