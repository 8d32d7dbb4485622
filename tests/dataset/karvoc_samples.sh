#!/usr/bin/env bash
# karvoc with the bundled dataset over the real samples of tests/samples (file names without extensions):
# the first candidate must be right for at least 97% of them and the right type among the three candidates
# for every one; every file must get a candidate (exit code 0); the AVI samples whose codec judgext knows
# must carry that codec's comment. Prints every line and the speed. The program runs from a copy of its
# folder, so the quodra.ini it writes on its first run stays out of the build.
# Usage: karvoc_samples.sh EMULATOR KARVOC_EXE DATASET_FOLDER SAMPLE_FOLDER
set -u
emulator=$1
karvoc=$2
dataset=$3
samples=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$karvoc" "$work/karvoc.exe"
cp -r "$dataset" "$work/"
manifest="$samples/MANIFEST"
[ -f "$manifest" ] || { echo "no MANIFEST in $samples"; exit 1; }

start=$(date +%s%N)
"$emulator" "$work/karvoc.exe" --tsv "$samples" >"$work/out.tsv" 2>"$work/err.txt"
code=$?
end=$(date +%s%N)
cat "$work/out.tsv"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ $code -eq 0 ] || fail "karvoc exit code $code: $(cat "$work/err.txt")"

# The manifest's extensions beside karvoc's three candidates; MANIFEST itself is not a sample.
summary=$(awk -F'\t' '
  NR == FNR { right[$1] = "," toupper($2) ","; total++; next }
  {
    n = split($1, parts, /[\\\/]/); name = parts[n]
    if (!(name in right)) next
    seen++
    if (index(right[name], "," $2 ",")) first++
    if (index(right[name], "," $2 ",") || index(right[name], "," $4 ",") || index(right[name], "," $6 ",")) three++
    else missed = missed " " name
  }
  END { printf "%d %d %d %d%s\n", total, seen, first, three, missed }' "$manifest" "$work/out.tsv")
read -r total seen first three missed <<<"$summary"
echo
echo "samples: $total, identified: $seen, first candidate right: $first, right among the three: $three"
[ "$seen" -eq "$total" ] || fail "karvoc printed $seen lines for $total samples"
[ $((first * 100)) -ge $((total * 97)) ] || fail "first candidate right for $first of $total (less than 97%)"
[ "$three" -eq "$total" ] || fail "the right type is not among the three candidates for:$missed"

# AVI samples whose first stream's codec is a row of judgext's table.
check_comment()
{
  local name=$1 part=$2 line
  line=$(grep -P "[\\\\/]$name\t" "$work/out.tsv" | head -1)
  [ -n "$line" ] || return 0
  [[ "$line" == *"$part"* ]] || fail "$name: comment lacks '$part': $line"
}
check_comment avi_cinepak "Cinepak"
check_comment avi_mjpeg "Motion JPEG"
check_comment avi_mpeg4_xvid "Xvid"
check_comment avi_msmpeg4_mp43 "MPEG-4 V3"

awk -v n="$total" -v ns=$((end - start)) \
  'BEGIN { printf "karvoc: %d files in %.2f s (one process, Wine start included): %.1f files per second\n", n, ns / 1e9, n / (ns / 1e9) }'
if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "karvoc sample checks passed"
