#!/usr/bin/env bash
# Converter throughput against iconv, the Debian nkf, tr -d '\r' and cat, all measured in this run on
# the same data, as MB/s of input and as ratios. Two views: wall-clock time, and CPU time (user + sys),
# which stays meaningful when the machine is shared. Builds the native Release benchmark in
# build/bench-release unless BUILD is given.
# Usage: bench/nkf32/run_nkf32_bench.sh [MEGABYTES]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD:-$root/build/bench-release}
data=$build/nkf32-bench-data
megabytes=${1:-128}  # smaller inputs take the anchors near the step of the timer
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTREL_SANITIZE=OFF >/dev/null
cmake --build "$build" --target nkf32_bench -j 2 >/dev/null
[ -f "$data/text.cp932" ] || python3 "$root/bench/nkf32/make_bench_text.py" "$data" "$megabytes"
[ -f "$data/text.utf16le" ] || iconv -f UTF-8 -t UTF-16LE "$data/text.utf8" > "$data/text.utf16le"
bench=$build/bin/nkf32_bench

# Best of three runs of a command reading the file on stdin: "wall-MB/s cpu-MB/s".
mbps() {
  local file=$1; shift
  local bytes best_wall=0 best_cpu=0 t
  bytes=$(stat -c %s "$file")
  for _ in 1 2 3; do
    t=$( { /usr/bin/time -f "%e %U %S" "$@" < "$file" > /dev/null; } 2>&1 | tail -1)
    read -r wall user sys <<< "$t"
    best_wall=$(awk -v b="$bytes" -v s="$wall" -v x="$best_wall" 'BEGIN{r = s > 0 ? b/s/1e6 : 0; print (r > x ? r : x)}')
    best_cpu=$(awk -v b="$bytes" -v s="$user" -v y="$sys" -v x="$best_cpu" 'BEGIN{c = s + y; r = c > 0 ? b/c/1e6 : 0; print (r > x ? r : x)}')
  done
  printf '%.0f %.0f\n' "$best_wall" "$best_cpu"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf (b > 0 ? "%.2f" : "-"), a/b}'; }

echo "MB/s of input, best of runs. 'ours' = guess over the whole input + convert; 'conv' = conversion"
echo "with the input encoding given; 'guess' = guess alone. Ratios: ours / anchor."
printf '%-18s | %-29s | %-21s | %-11s || %-29s | %-21s | %-11s\n' "" "wall: ours conv guess" "iconv nkf nkf-auto" "x iconv nkf" \
  "cpu: ours conv guess" "iconv nkf nkf-auto" "x iconv nkf"
row() {
  local name=$1 file=$2 ours_opts=$3 enc=$4 iconv_from=$5 iconv_to=$6 nkf_opts=$7 nkf_auto=$8
  local w1 w2 w3 c1 c2 c3 guessed ok1 ok2 icw icc nkw nkc naw nac
  read -r w1 w2 w3 c1 c2 c3 guessed ok1 ok2 < <("$bench" "$file" "$ours_opts" "$enc" 5)
  read -r icw icc < <(mbps "$file" iconv -f "$iconv_from" -t "$iconv_to")
  read -r nkw nkc < <(mbps "$file" nkf $nkf_opts)
  read -r naw nac < <(mbps "$file" nkf $nkf_auto)
  printf '%-18s | %9s %9s %9s | %6s %6s %7s | %5s %5s || %9s %9s %9s | %6s %6s %7s | %5s %5s  (%s %s/%s)\n' "$name" \
    "$w1" "$w2" "$w3" "$icw" "$nkw" "$naw" "$(ratio "$w1" "$icw")" "$(ratio "$w1" "$naw")" \
    "$c1" "$c2" "$c3" "$icc" "$nkc" "$nac" "$(ratio "$c1" "$icc")" "$(ratio "$c1" "$nac")" "$guessed" "$ok1" "$ok2"
}
row "CP932 -> UTF-8"    "$data/text.cp932" "--ic=CP932 -w80" cp932 CP932 UTF-8 "--ic=CP932 -w80" "-w80"
row "UTF-8 -> CP932"    "$data/text.utf8"  "-s" utf8 UTF-8 CP932 "-W --oc=CP932" "--oc=CP932"
row "EUC-JP -> UTF-8"   "$data/text.euc"   "-w80" euc EUC-JP UTF-8 "-E -w80" "-w80"
row "UTF-8 -> UTF-16LE" "$data/text.utf8"  "-w16L0" utf8 UTF-8 UTF-16LE "-W -w16L0" "-w16L0"

# CR LF -> LF alone: the same CP932 text, only its line ends change. tr is fast enough that its
# processor time on a small text is a few steps of the timer, so this row reads at least 256 MB (the
# text repeated).
text_bytes=$(stat -c %s "$data/text.cp932")
repeats=$(( (256000000 + text_bytes - 1) / text_bytes ))
long=$data/text-x$repeats.cp932
[ -f "$long" ] || for _ in $(seq "$repeats"); do cat "$data/text.cp932"; done > "$long"
read -r w1 w2 w3 c1 c2 c3 guessed ok1 ok2 < <("$bench" "$long" "--ic=CP932 -Lu" cp932 5)
read -r trw trc < <(mbps "$long" tr -d '\r')
read -r ctw ctc < <(mbps "$long" cat)
read -r nkw nkc < <(mbps "$long" nkf -S -s -Lu)
echo
echo "CR LF -> LF (CP932, --ic=CP932 -Lu): wall: ours $w1 (conv $w2, guess $w3), tr -d $trw, nkf $nkw, cat $ctw; x tr $(ratio "$w1" "$trw")"
echo "                                     cpu:  ours $c1 (conv $c2, guess $c3), tr -d $trc, nkf $nkc, cat $ctc; x tr $(ratio "$c1" "$trc")  ($ok1/$ok2)"

# Bounded memory: a file of about 2 GB (the text repeated) converted through the file interface.
if [ -n "${BIG:-}" ]; then
  big=$data/big.cp932
  [ -f "$big" ] || for _ in $(seq 64); do cat "$data/text.cp932"; done > "$big"
  echo
  echo "2 GB file, --ic=CP932 -w80Lu: $("$bench" --file "$big" "$data/big.out" "--ic=CP932 -w80Lu")"
  rm -f "$data/big.out"
fi
