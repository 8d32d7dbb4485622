#!/usr/bin/env bash
# Times karvoc against libmagic's `file --extension` over one folder of at least 1,000 files (the samples of
# tests/samples copied under numbered names), each tool as one process over the whole folder, ROUNDS times,
# and prints each tool's best and median wall time and karvoc's time as a multiple of file's. Nothing is
# asserted; the figures are for reading. Usage:
#   bash tools/bench_with_file.sh [--rounds N] [--copies N] [KARVOC_EXE]
# KARVOC_EXE defaults to build/x86_64/bin/karvoc.exe (run under Wine beside a copy of the bundled dataset).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=5
copies=8
karvoc="$root/build/x86_64/bin/karvoc.exe"
while [ $# -gt 0 ]; do
  case $1 in
    --rounds) rounds=$2; shift 2 ;;
    --copies) copies=$2; shift 2 ;;
    -h|--help) sed -n '2,6p' "$0"; exit 0 ;;
    *) karvoc=$1; shift ;;
  esac
done
command -v file >/dev/null || { echo "bench_with_file: libmagic's file is not installed" >&2; exit 2; }
[ -f "$karvoc" ] || { echo "bench_with_file: no $karvoc (build the karvoc target)" >&2; exit 2; }
dataset="$(dirname "$karvoc")/vlm_gene_036"
[ -d "$dataset" ] || { echo "bench_with_file: no bundled dataset beside $karvoc" >&2; exit 2; }

work=$(mktemp -d)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
trap 'rm -rf "$work"' EXIT
cp "$karvoc" "$work/karvoc.exe"
cp -r "$dataset" "$work/"
mkdir "$work/files"
for ((c = 0; c < copies; c++)); do
  for sample in "$root"/tests/samples/*; do
    name=${sample##*/}
    [ "$name" = MANIFEST ] && continue
    cp "$sample" "$work/files/${c}_$name"
  done
done
count=$(find "$work/files" -type f | wc -l)
cd "$work"
# A first start brings up the Wine server (as a running Windows would be) and writes quodra.ini.
/usr/lib/wine/wine64 ./karvoc.exe --tsv files/0_3gp_h263 >/dev/null 2>&1 || true

# times LABEL COMMAND...: ROUNDS wall times in seconds, one per line.
times()
{
  local round start end
  for ((round = 0; round < rounds; round++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done
}
file_times=$(times file --extension -N files/*)
karvoc_times=$(times /usr/lib/wine/wine64 ./karvoc.exe --tsv 'files\')
best() { sort -n | head -1; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
file_best=$(echo "$file_times" | best)
karvoc_best=$(echo "$karvoc_times" | best)
echo "$count files, $rounds rounds, load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
awk -v b="$file_best" -v m="$(echo "$file_times" | median)" -v n="$count" \
  'BEGIN { printf "file --extension: best %.3f s, median %.3f s (%.2f ms per file)\n", b / 1e6, m / 1e6, b / 1e3 / n }'
awk -v b="$karvoc_best" -v m="$(echo "$karvoc_times" | median)" -v n="$count" \
  'BEGIN { printf "karvoc --tsv:     best %.3f s, median %.3f s (%.2f ms per file)\n", b / 1e6, m / 1e6, b / 1e3 / n }'
awk -v k="$karvoc_best" -v f="$file_best" 'BEGIN { printf "karvoc / file (best times): %.2f\n", k / f }'
