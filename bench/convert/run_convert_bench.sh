#!/usr/bin/env bash
# Converting 1,000 Shift_JIS CR LF files (210 MB) in place to UTF-8 LF:
#   (a) zentrel-cli convert, natively          (b) zentrel-cli.exe convert, under Wine
#   (c) Zentrel's conversion job, under Wine    (d) the library's raw in-memory throughput on the
#       same bytes, natively and under Wine (the anchors of (a) and of (b), (c)).
#   (e) the library's own file conversion: each file of a fresh copy converted in place by one
#       ConvertFile call, natively and under Wine (what the tools add beyond the file work).
#   (f) the least file work of any in-place conversion: each file read, converted in memory as in
#       (d), written beside and renamed over, without the flush to disk the library makes before
#       it replaces a file; shows how far (d) is out of reach for a conversion of files at all.
# All measured in this run, as MB/s of input (best of ROUNDS) and as ratios against both anchors
# of the same platform; wall clock and CPU time (the machine may be shared).
# Usage: bench/convert/run_convert_bench.sh      env: ROUNDS (3), FILES (1000), MEGABYTES (210),
#        NATIVE_BUILD, WIN_BUILD, DATA (where the tree and its working copies go)
# On a shared virtual disk the flushes make every file row swing between runs; DATA on a memory
# file system (DATA=/dev/shm/convert-bench) measures the same work without the disk, where a
# flush costs next to nothing: steadier ratios of the tools' own overhead.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
native=${NATIVE_BUILD:-$root/build/convert-bench-linux}
win=${WIN_BUILD:-$root/build/convert-bench-win}
data=${DATA:-$native/convert-bench-data}
rounds=${ROUNDS:-3}
files=${FILES:-1000}
megabytes=${MEGABYTES:-210}

cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTREL_SANITIZE=OFF >/dev/null
cmake --build "$native" --target zentrel-cli convert_raw_bench -j 2 >/dev/null
(
  . "$root/scripts/wine-env.sh" null
  cmake -S "$root" -B "$win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$win" --target zentrel-cli Zentrel nkf32 convert_raw_bench convert_job_bench job_steps_bench -j 2 >/dev/null
)
[ -f "$data/master.done" ] || {
  rm -rf "$data/master"
  python3 "$root/bench/convert/make_convert_tree.py" "$data/master" "$files" "$megabytes"
  touch "$data/master.done"
}
bytes=$(du -sb --apparent-size "$data/master" | cut -f1)
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

. "$root/scripts/wine-env.sh" null
wineserver -p </dev/null >/dev/null 2>&1 || true  # already running: fine
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

# A fresh copy to convert in place, written out before the clock starts.
# Its files keep the master's times, as files a user converts are seldom written moments before.
fresh() { rm -rf "$data/work"; cp -r --preserve=timestamps "$data/master" "$data/work"; sync; }
# Every run must have converted: a sample file is UTF-8 without CR.
verify() {
  local sample=$data/work/part09/text0999.txt
  [ -f "$sample" ] || sample=$(find "$data/work" -type f | tail -1)
  if [ "$(nkf -g "$sample")" != UTF-8 ] || grep -q $'\r' "$sample"; then
    echo "run_convert_bench: $sample was not converted" >&2
    exit 1
  fi
}
# "wall cpu" of a command, by /usr/bin/time.
timed() {
  /usr/bin/time -f "%e %U %S" "$@" >/dev/null 2>"$data/time.err" || true  # verify judges the result
  tail -1 "$data/time.err" | awk '{print $1, $2 + $3}'
}
field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p"; }
best() { sort -g | head -1; }
bw() { printf '%s\n' "$@" | best; }
mbps() { awk -v b="$bytes" -v s="$1" 'BEGIN{printf "%.1f", (s > 0 ? b / s / 1e6 : 0)}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.0f%%", (a > 0 ? 100 * b / a : 0)}'; }  # time(anchor)/time(x)


cli_native_wall=(); cli_native_cpu=(); cli_wine_wall=(); cli_wine_cpu=(); job_wall=()
job_drop=(); head_native_wall=(); head_native_cpu=(); head_wine_wall=(); head_wine_cpu=()
raw_native_wall=(); raw_native_cpu=(); raw_wine_wall=(); raw_wine_cpu=()
file_native_wall=(); file_native_cpu=(); file_wine_wall=(); file_wine_cpu=()
bare_native_wall=(); bare_native_cpu=(); bare_wine_wall=(); bare_wine_cpu=()
# Every round measures the anchors too, so a busy moment of the machine weighs on both sides.
for _ in $(seq "$rounds"); do
  raw=$("$native/bin/convert_raw_bench" "$data/master" "--ic=CP932 -w80Lu" 1)
  raw_native_wall+=("$(field wall <<< "$raw")"); raw_native_cpu+=("$(field cpu <<< "$raw")")
  raw=$(wine "$win/bin/convert_raw_bench.exe" "$(winpath "$data/master")" "--ic=CP932 -w80Lu" 1 | tr -d '\r')
  raw_wine_wall+=("$(field wall <<< "$raw")"); raw_wine_cpu+=("$(field cpu <<< "$raw")")
  fresh
  file=$("$native/bin/convert_raw_bench" "$data/work" "--ic=CP932 -w80Lu" 1 --in-place)
  file_native_wall+=("$(field wall <<< "$file")"); file_native_cpu+=("$(field cpu <<< "$file")")
  verify
  fresh
  file=$(wine "$win/bin/convert_raw_bench.exe" "$(winpath "$data/work")" "--ic=CP932 -w80Lu" 1 --in-place | tr -d '\r')
  file_wine_wall+=("$(field wall <<< "$file")"); file_wine_cpu+=("$(field cpu <<< "$file")")
  verify
  # The job right after its anchor: the disk's write-back from earlier runs weighs on both alike.
  fresh
  job=$(wine "$win/bin/convert_job_bench.exe" "$(winpath "$data/work")" "$files" | tr -d '\r')
  job_wall+=("$(field wall <<< "$job")"); job_drop+=("$(field drop <<< "$job")")
  verify
  fresh
  steps=$(wine "$win/bin/job_steps_bench.exe" "$(winpath "$data/master")" "$(winpath "$data/work")" | tr -d '\r')
  fresh
  bare=$("$native/bin/convert_raw_bench" "$data/work" "--ic=CP932 -w80Lu" 1 --unflushed)
  bare_native_wall+=("$(field wall <<< "$bare")"); bare_native_cpu+=("$(field cpu <<< "$bare")")
  verify
  fresh
  bare=$(wine "$win/bin/convert_raw_bench.exe" "$(winpath "$data/work")" "--ic=CP932 -w80Lu" 1 --unflushed | tr -d '\r')
  bare_wine_wall+=("$(field wall <<< "$bare")"); bare_wine_cpu+=("$(field cpu <<< "$bare")")
  verify
  fresh
  read -r w c < <(timed "$native/bin/zentrel-cli" convert --to utf8 --eol lf "$data/work")
  cli_native_wall+=("$w"); cli_native_cpu+=("$c")
  verify
  fresh
  read -r w c < <(timed wine "$win/bin/zentrel-cli.exe" convert --to utf8 --eol lf "$(winpath "$data/work")")
  cli_wine_wall+=("$w"); cli_wine_cpu+=("$c")
  verify
  # The same with the guess before converting made over the first 1000 bytes, as the GUI's rows are.
  fresh
  read -r w c < <(timed "$native/bin/zentrel-cli" convert --readsize 1000 --to utf8 --eol lf "$data/work")
  head_native_wall+=("$w"); head_native_cpu+=("$c")
  verify
  fresh
  read -r w c < <(timed wine "$win/bin/zentrel-cli.exe" convert --readsize 1000 --to utf8 --eol lf "$(winpath "$data/work")")
  head_wine_wall+=("$w"); head_wine_cpu+=("$c")
  verify
done
rm -rf "$data/work"

raw_native_wall=$(bw "${raw_native_wall[@]}"); raw_native_cpu=$(bw "${raw_native_cpu[@]}")
raw_wine_wall=$(bw "${raw_wine_wall[@]}"); raw_wine_cpu=$(bw "${raw_wine_cpu[@]}")
file_native_wall=$(bw "${file_native_wall[@]}"); file_native_cpu=$(bw "${file_native_cpu[@]}")
file_wine_wall_rounds=("${file_wine_wall[@]}")
file_wine_wall=$(bw "${file_wine_wall[@]}"); file_wine_cpu=$(bw "${file_wine_cpu[@]}")
# name wall cpu, then the (d) and (e) anchors of the same platform: native or wine ("-" for cpu:
# not measured).
row() {
  local raw_wall=$raw_native_wall raw_cpu=$raw_native_cpu file_wall=$file_native_wall file_cpu=$file_native_cpu
  if [ "$4" = wine ]; then
    raw_wall=$raw_wine_wall raw_cpu=$raw_wine_cpu file_wall=$file_wine_wall file_cpu=$file_wine_cpu
  fi
  if [ "$3" = - ]; then
    printf '%-34s %8s MB/s %13s   %6s %6s   %6s %6s   (%s s)\n' "$1" "$(mbps "$2")" "-" \
      "$(ratio "$2" "$raw_wall")" "-" "$(ratio "$2" "$file_wall")" "-" "$2"
  else
    printf '%-34s %8s MB/s %8s MB/s   %6s %6s   %6s %6s   (%s s, cpu %s s)\n' "$1" "$(mbps "$2")" \
      "$(mbps "$3")" "$(ratio "$2" "$raw_wall")" "$(ratio "$3" "$raw_cpu")" \
      "$(ratio "$2" "$file_wall")" "$(ratio "$3" "$file_cpu")" "$2" "$3"
  fi
}
echo "$files files, $bytes bytes of Shift_JIS CR LF -> UTF-8 LF in place; best of $rounds rounds"
printf '%-34s %13s %13s   %6s %6s   %6s %6s\n' "" "wall" "cpu" "x/raw" "(cpu)" "x/file" "(cpu)"
row "(d) raw, in memory, native"          "$raw_native_wall" "$raw_native_cpu" native
row "(e) ConvertFile in place, native"    "$file_native_wall" "$file_native_cpu" native
row "(f) unflushed file floor, native"    "$(bw "${bare_native_wall[@]}")" "$(bw "${bare_native_cpu[@]}")" native
row "(a) zentrel-cli convert, native"     "$(bw "${cli_native_wall[@]}")" "$(bw "${cli_native_cpu[@]}")" native
row "(a) same, --readsize 1000, native"   "$(bw "${head_native_wall[@]}")" "$(bw "${head_native_cpu[@]}")" native
row "(d) raw, in memory, Wine"            "$raw_wine_wall" "$raw_wine_cpu" wine
row "(e) ConvertFile in place, Wine"      "$file_wine_wall" "$file_wine_cpu" wine
row "(f) unflushed file floor, Wine"      "$(bw "${bare_wine_wall[@]}")" "$(bw "${bare_wine_cpu[@]}")" wine
row "(b) zentrel-cli.exe convert, Wine"   "$(bw "${cli_wine_wall[@]}")" "$(bw "${cli_wine_cpu[@]}")" wine
row "(b) same, --readsize 1000, Wine"     "$(bw "${head_wine_wall[@]}")" "$(bw "${head_wine_cpu[@]}")" wine
row "(c) Zentrel conversion job, Wine"    "$(bw "${job_wall[@]}")" - wine
echo "x/raw, x/file: throughput as a share of the (d) and (e) anchors of the same platform."
echo "Target for the job: >= 90% of the library's own conversion of the same files, (e); (f) shows that the"
echo "in-memory anchor (d) is out of reach for any conversion that reads and writes files, flushed or not."
per_round=()
for i in "${!job_wall[@]}"; do per_round+=("$(ratio "${job_wall[$i]}" "${file_wine_wall_rounds[$i]}")"); done
echo "The job against (e) round by round (each right after its anchor): ${per_round[*]}."
echo "The drop of the same tree (an inspection of every file from disk): ${job_drop[*]} s."
echo "The job's steps, each timed alone over the same files (job_steps_bench, last round):"
sed 's/^step=\([^ ]*\) files=[0-9]* wall=\(.*\)/  \1 \2 s/' <<< "$steps"
echo "The job's CPU time is not shown: Wine's GetProcessTimes of another process leaves out its worker thread."
