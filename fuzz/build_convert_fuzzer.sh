#!/usr/bin/env bash
# Builds the converter's libFuzzer target with clang (outside CMake) and, with a duration, runs it.
# Usage: fuzz/build_convert_fuzzer.sh [seconds]   (output in build/fuzz-convert/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${FUZZ_OUT:-$root/build/fuzz-convert}
mkdir -p "$out/corpus"
sources=$(ls "$root"/nkf32/core/src/*.cpp)
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root/nkf32/core/include" -I "$root/nkf32/core/src" \
  "$root/fuzz/convert_fuzzer.cpp" $sources "$root/nkf32/core/src/platform/file_io_posix.cpp" \
  -o "$out/convert_fuzzer"
if [ -n "${1:-}" ]; then
  cd "$out"
  ./convert_fuzzer -max_total_time="$1" -max_len=4096 -print_final_stats=1 corpus
fi
