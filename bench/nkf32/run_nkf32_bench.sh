#!/usr/bin/env bash
# Converter throughput against iconv, the Debian nkf, tr -d '\r' and cat, all measured in this run on
# the same data. Builds the native Release benchmark in build/bench-release unless BUILD is given.
# Usage: bench/nkf32/run_nkf32_bench.sh [MEGABYTES]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD:-$root/build/bench-release}
data=$build/nkf32-bench-data
megabytes=${1:-32}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTREL_SANITIZE=OFF >/dev/null
cmake --build "$build" --target nkf32_bench -j 2 >/dev/null
[ -f "$data/text.cp932" ] || python3 "$root/bench/nkf32/make_bench_text.py" "$data" "$megabytes"
bench=$build/bin/nkf32_bench

# Best of three wall-clock runs of a command, as MB/s of its input file.
mbps() {
  local file=$1; shift
  local bytes best=0 t0 t1 ns rate
  bytes=$(stat -c %s "$file")
  for _ in 1 2 3; do
    t0=$(date +%s%N); "$@" < "$file" > /dev/null; t1=$(date +%s%N)
    ns=$((t1 - t0)); [ "$ns" -gt 0 ] || ns=1
    rate=$((bytes * 1000 / ns))
    [ "$rate" -gt "$best" ] && best=$rate
  done
  echo "$best"
}

printf '%-22s %9s %9s %9s %8s %8s %9s %8s %8s\n' conversion "ours" "ours-conv" "guess" iconv "nkf" "nkf-auto" "x iconv" "x nkf"
row() {
  local name=$1 file=$2 ours_opts=$3 enc=$4 iconv_from=$5 iconv_to=$6 nkf_opts=$7 nkf_auto=$8
  read -r ours conv guess guessed ok1 ok2 < <("$bench" "$file" "$ours_opts" "$enc" 5)
  local ic nk na
  ic=$(mbps "$file" iconv -f "$iconv_from" -t "$iconv_to")
  nk=$(mbps "$file" nkf $nkf_opts)
  na=$(mbps "$file" nkf $nkf_auto)
  printf '%-22s %9s %9s %9s %8s %8s %9s %8s %8s   (guess: %s; %s/%s)\n' "$name" "$ours" "$conv" "$guess" "$ic" "$nk" "$na" \
    "$(awk -v a="$ours" -v b="$ic" 'BEGIN{printf "%.2f", a/b}')" "$(awk -v a="$ours" -v b="$nk" 'BEGIN{printf "%.2f", a/b}')" \
    "$guessed" "$ok1" "$ok2"
}
python3 - "$data" <<'PY'
import sys, os
d = sys.argv[1]
t = open(os.path.join(d, "text.utf8"), "rb").read().decode("utf-8")
p = os.path.join(d, "text.utf16le")
if not os.path.exists(p):
    open(p, "wb").write(t.encode("utf-16-le"))
PY
row "CP932 -> UTF-8"   "$data/text.cp932" "--ic=CP932 -w80" cp932 CP932 UTF-8 "--ic=CP932 -w80" "-w80"
row "UTF-8 -> CP932"   "$data/text.utf8"  "-s" utf8 UTF-8 CP932 "-W --oc=CP932" "--oc=CP932"
row "EUC-JP -> UTF-8"  "$data/text.euc"   "-w80" euc EUC-JP UTF-8 "-E -w80" "-w80"
row "UTF-8 -> UTF-16LE" "$data/text.utf8" "-w16L0" utf8 UTF-8 UTF-16LE "-W -w16L0" "-w16L0"

# CR LF -> LF alone: the same CP932 text, only its line ends change.
bytes=$(stat -c %s "$data/text.cp932")
read -r ours conv guess guessed ok1 ok2 < <("$bench" "$data/text.cp932" "--ic=CP932 -Lu" cp932 5)
tr_rate=$(mbps "$data/text.cp932" tr -d '\r')
cat_rate=$(mbps "$data/text.cp932" cat)
nkf_lu=$(mbps "$data/text.cp932" nkf -S -s -Lu)
printf '\nCR LF -> LF (CP932):  ours %s MB/s (conversion alone %s, guess %s), tr -d %s, nkf %s, cat %s;  x tr %s  (%s/%s)\n' \
  "$ours" "$conv" "$guess" "$tr_rate" "$nkf_lu" "$cat_rate" "$(awk -v a="$ours" -v b="$tr_rate" 'BEGIN{printf "%.2f", a/b}')" "$ok1" "$ok2"
