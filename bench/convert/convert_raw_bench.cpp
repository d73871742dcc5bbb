// The anchors of the conversion benchmark. By default the library's own throughput on the tree's
// bytes, held in memory, each file converted as one buffer (guess over the whole input, then
// convert), with no file system in the way. With --in-place, the library's own file conversion:
// every file of TREE converted in place by one ConvertFile call each (read, guess, convert, write
// a temporary file, replace), listed before the clock starts; no walk, guess or window of the tools
// around it. That converts TREE, so it is one round on a fresh copy. Built natively and for
// Windows, so each anchor is measured on the same platform as the tool it is compared with.
// With --unflushed, the least any in-place conversion does: each file read whole, converted in
// memory, written to a new file beside it and renamed over it, without the flush to disk that
// the library makes before it replaces a file (so that a power cut cannot leave the file empty).
// Usage: convert_raw_bench TREE [OPTIONS [ROUNDS]] [--in-place|--unflushed]   (OPTIONS default
//        "--ic=CP932 -w80Lu")
// Prints: raw files=N bytes=B wall=SECONDS cpu=SECONDS   (best round of each; "file" for
//         --in-place, "unflushed" for --unflushed)
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

// Read, convert in memory, write beside and rename over: the library's file work without its flush.
nkf::ConvertResult ConvertUnflushed(const fs::path& file, const nkf::ConvertOptions& options,
                                    std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out) {
  nkf::ConvertResult failed;
  failed.error = nkf::ConvertError::Io;
  std::ifstream source(file, std::ios::binary);
  in.resize(static_cast<std::size_t>(fs::file_size(file)));
  if (!source.read(reinterpret_cast<char*>(in.data()), static_cast<std::streamsize>(in.size()))) return failed;
  source.close();
  const nkf::ConvertResult result = nkf::ConvertBuffer(in, options, out);
  if (!result.ok()) return result;
  fs::path temporary = file;
  temporary += ".bench-new";
  {
    std::ofstream target(temporary, std::ios::binary | std::ios::trunc);
    if (!target.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size())))
      return failed;
  }
  std::error_code error;
  fs::rename(temporary, file, error);
  return error ? failed : result;
}

int ConvertInPlace(const char* tree, const nkf::ConvertOptions& options, bool unflushed) {
  std::vector<fs::path> files;
  std::uint64_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(tree)) {
    if (!entry.is_regular_file()) continue;
    files.push_back(entry.path());
    bytes += entry.file_size();
  }
  std::vector<std::uint8_t> in, out;
  const double cpu0 = convert_bench::CpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  for (const fs::path& file : files) {
    const nkf::ConvertResult result =
        unflushed ? ConvertUnflushed(file, options, in, out) : nkf::ConvertFile(file, file, options);
    if (!result.ok()) return ReportFailure(result);
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%s files=%zu bytes=%llu wall=%.3f cpu=%.3f\n", unflushed ? "unflushed" : "file", files.size(),
              static_cast<unsigned long long>(bytes), wall, convert_bench::CpuSeconds() - cpu0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[argc - 1] : "";
  const bool unflushed = mode == "--unflushed";
  const bool inPlace = unflushed || mode == "--in-place";
  if (inPlace) --argc;
  if (argc < 2) {
    std::fprintf(stderr, "usage: convert_raw_bench TREE [OPTIONS [ROUNDS]] [--in-place|--unflushed]\n");
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
      std::fprintf(stderr, "convert_raw_bench: %s converts the tree: one round only\n", mode.c_str());
      return 2;
    }
    return ConvertInPlace(argv[1], options.options, unflushed);
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
