#!/usr/bin/env bash
# Builds the guesser's libFuzzer target with clang outside CMake and runs it.
# Usage: fuzz/run_guess.sh [seconds]   (default 300). Crashes land in build/fuzz-guess/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/fuzz-guess"
mkdir -p "$out/corpus"
src="$root/nkf32/core/src"
sources=$(ls "$src"/guess*.cpp "$src"/probe_*.cpp "$src"/encoding_name.cpp)
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/nkf32/core/include" -I"$src" "$root/fuzz/guess_fuzzer.cpp" $sources -o "$out/guess_fuzzer"
# Seed with the shared sample corpus when it is there.
seeds=()
[ -d "$root/../shared/corpus" ] && seeds+=("$root/../shared/corpus")
cd "$out"
./guess_fuzzer -max_total_time="${1:-300}" -max_len=4096 -print_final_stats=1 corpus "${seeds[@]}"
