#!/usr/bin/env bash
# Times karvoc against libmagic's `file --extension` over one folder of at least 1,000 files (the samples of
# tests/samples copied under numbered names), each tool as one process over the whole folder, ROUNDS times,
# and prints each tool's best and median wall time and karvoc's time as a multiple of file's, twice: as the
# system schedules them, and with each tool (and karvoc's Wine server) kept on one core. Under Wine every
# file karvoc opens is a request to the Wine server, a process of its own; on a machine of several cores the
# server is often woken on another core, which costs more than the request itself, and Windows has no such
# server. The one-core figures leave that out. Nothing is asserted; the figures are for reading. Usage:
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
server=""
all_cores="0-$(($(nproc) - 1))"
# The Wine server of this prefix: the process working in the server folder named by the prefix's device and
# inode. Its cores are given back on exit.
wine_server_of_prefix()
{
  local name p
  name="server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")"
  for p in $(pgrep wineserver || true); do
    [ "$(basename "$(readlink "/proc/$p/cwd" 2>/dev/null)")" = "$name" ] && { echo "$p"; return; }
  done
}
finish()
{
  [ -n "$server" ] && taskset -a -p -c "$all_cores" "$server" >/dev/null 2>&1
  rm -rf "$work"
}
trap finish EXIT
cp "$karvoc" "$work/karvoc.exe"
cp -r "$dataset" "$work/"
mkdir "$work/files"
for ((c = 0; c < copies; c++)); do
  for sample in "$root"/tests/samples/*; do
    name=${sample##*/}
    [ "$name" = MANIFEST ] && continue
    cp -p "$sample" "$work/files/${c}_$name"
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
best() { sort -n | head -1; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# report FILE_TIMES KARVOC_TIMES
report()
{
  local file_best karvoc_best
  file_best=$(echo "$1" | best)
  karvoc_best=$(echo "$2" | best)
  awk -v b="$file_best" -v m="$(echo "$1" | median)" -v n="$count" \
    'BEGIN { printf "  file --extension: best %.3f s, median %.3f s (%.2f ms per file)\n", b / 1e6, m / 1e6, b / 1e3 / n }'
  awk -v b="$karvoc_best" -v m="$(echo "$2" | median)" -v n="$count" \
    'BEGIN { printf "  karvoc --tsv:     best %.3f s, median %.3f s (%.2f ms per file)\n", b / 1e6, m / 1e6, b / 1e3 / n }'
  awk -v k="$karvoc_best" -v f="$file_best" 'BEGIN { printf "  karvoc / file (best times): %.2f\n", k / f }'
}

echo "$count files, $rounds rounds, load average $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
file_times=$(times file --extension -N files/*)
karvoc_times=$(times /usr/lib/wine/wine64 ./karvoc.exe --tsv 'files\')
echo "as scheduled:"
report "$file_times" "$karvoc_times"

# The rounds follow one another closely enough that the server started here lives through them.
/usr/lib/wine/wine64 ./karvoc.exe --tsv files/0_3gp_h263 >/dev/null 2>&1 || true
server=$(wine_server_of_prefix)
if [ -z "$server" ] || ! taskset -a -p -c 0 "$server" >/dev/null 2>&1; then
  echo "one core: the Wine server of $WINEPREFIX was not found; not measured"
  exit 0
fi
file_times=$(times taskset -c 0 file --extension -N files/*)
karvoc_times=$(times taskset -c 0 /usr/lib/wine/wine64 ./karvoc.exe --tsv 'files\')
echo "one core (each tool, and karvoc's Wine server, on core 0):"
report "$file_times" "$karvoc_times"
