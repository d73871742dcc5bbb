// The anchors of the conversion benchmark. By default the library's own throughput on the tree's
// bytes, held in memory, each file converted as one buffer (guess over the whole input, then
// convert), with no file system in the way. With --in-place, the library's own file conversion:
// every file of TREE converted in place by one ConvertFile call each (read, guess, convert, write
// a temporary file, replace), listed before the clock starts; no walk, guess or window of the tools
// around it. That converts TREE, so it is one round on a fresh copy. Built natively and for
// Windows, so each anchor is measured on the same platform as the tool it is compared with.
// Usage: convert_raw_bench TREE [OPTIONS [ROUNDS]] [--in-place]   (OPTIONS default
//        "--ic=CP932 -w80Lu")
// Prints: raw files=N bytes=B wall=SECONDS cpu=SECONDS   (best round of each; "file" for
//         --in-place)
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
#include "nkf32/file_convert.h"
#include "nkf32/options.h"
#include "process_cpu_time.h"

namespace fs = std::filesystem;

namespace {

int ReportFailure(const nkf::ConvertResult& result) {
  std::fprintf(stderr, "convert_raw_bench: a file failed to convert (error %d at %llu)\n",
               static_cast<int>(result.error), static_cast<unsigned long long>(result.position));
  return 1;
}

int ConvertInPlace(const char* tree, const nkf::ConvertOptions& options) {
  std::vector<fs::path> files;
  std::uint64_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(tree)) {
    if (!entry.is_regular_file()) continue;
    files.push_back(entry.path());
    bytes += entry.file_size();
  }
  const double cpu0 = convert_bench::CpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  for (const fs::path& file : files) {
    const nkf::ConvertResult result = nkf::ConvertFile(file, file, options);
    if (!result.ok()) return ReportFailure(result);
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("file files=%zu bytes=%llu wall=%.3f cpu=%.3f\n", files.size(),
              static_cast<unsigned long long>(bytes), wall, convert_bench::CpuSeconds() - cpu0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool inPlace = argc > 2 && std::string(argv[argc - 1]) == "--in-place";
  if (inPlace) --argc;
  if (argc < 2) {
    std::fprintf(stderr, "usage: convert_raw_bench TREE [OPTIONS [ROUNDS]] [--in-place]\n");
    return 2;
  }
  const std::string optionText = argc > 2 ? argv[2] : "--ic=CP932 -w80Lu";
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : (inPlace ? 1 : 3);
  const nkf::OptionsResult options = nkf::ParseOptions(optionText);
  if (!options.ok) {
    std::fprintf(stderr, "convert_raw_bench: options not understood: %s\n", optionText.c_str());
    return 2;
  }
  if (inPlace) {
    if (rounds != 1) {
      std::fprintf(stderr, "convert_raw_bench: --in-place converts the tree: one round only\n");
      return 2;
    }
    return ConvertInPlace(argv[1], options.options);
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
      if (!result.ok()) return ReportFailure(result);
    }
    bestWall = std::min(
        bestWall, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    bestCpu = std::min(bestCpu, convert_bench::CpuSeconds() - cpu0);
  }
  std::printf("raw files=%zu bytes=%llu wall=%.3f cpu=%.3f\n", files.size(),
              static_cast<unsigned long long>(bytes), bestWall, bestCpu);
  return 0;
}
