#!/usr/bin/env bash
# karvoc with the bundled dataset over the real samples of tests/samples (file names without extensions):
# the first candidate must be right for at least 97% of them and for at least 80% of each kind's files (a kind
# is a set of right extensions in the MANIFEST), a first candidate scored 75 lpts or more must be wrong for at
# most 0.5% of them, and the right type must be among the three candidates for every one; every file must get a candidate (exit code 0); the AVI samples whose codec judgext knows
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
  NR == FNR { right[$1] = "," toupper($2) ","; total++; kind_files[$2]++; kind_of[$1] = $2; next }
  {
    n = split($1, parts, /[\\\/]/); name = parts[n]
    if (!(name in right)) next
    seen++
    if (index(right[name], "," $2 ",")) { first++; kind_right[kind_of[name]]++ }
    else if ($3 + 0 >= 75) { confident_wrong++; wrong_list = wrong_list " " name "=" $2 ":" $3 }
    if (index(right[name], "," $2 ",") || index(right[name], "," $4 ",") || index(right[name], "," $6 ",")) three++
    else missed = missed " " name
  }
  END {
    printf "%d %d %d %d %d%s\n", total, seen, first, three, confident_wrong, missed > "/dev/stdout"
    for (kind in kind_files)
      if ((kind_right[kind] + 0) * 100 < kind_files[kind] * 80)
        printf "%s:%d/%d ", kind, kind_right[kind] + 0, kind_files[kind] > "'"$work/weak_kinds"'"
    printf "%s", wrong_list > "'"$work/confident_wrong"'"
  }' "$manifest" "$work/out.tsv")
read -r total seen first three confident_wrong missed <<<"$summary"
kinds=$(cut -f2 "$manifest" | sort -u | wc -l)
echo
echo "samples: $total of $kinds kinds, identified: $seen, first candidate right: $first, right among the three: $three"
awk -v w="$confident_wrong" -v n="$total" \
  'BEGIN { printf "confident wrong first candidates (75 lpts or more): %d of %d (%.2f%%)\n", w, n, n ? 100 * w / n : 0 }'
[ -s "$work/confident_wrong" ] && echo "confident and wrong:$(cat "$work/confident_wrong")"
[ "$seen" -eq "$total" ] || fail "karvoc printed $seen lines for $total samples"
[ $((first * 100)) -ge $((total * 97)) ] || fail "first candidate right for $first of $total (less than 97%)"
[ $((confident_wrong * 1000)) -le $((total * 5)) ] || fail "$confident_wrong confident wrong first candidates (over 0.5%)"
[ -s "$work/weak_kinds" ] && fail "first candidate right for less than 80% of these kinds' files: $(cat "$work/weak_kinds")"
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
