#!/usr/bin/env bash
# karvoc.exe with the bundled dataset over files named outside code page 932, made here: café.dat (PNG)
# beside cafe.dat (text), 😀 and 简体 (PNG), 表.png and ｶﾅ.txt. Each must be identified as itself, its real
# name on its line, whether named on the command line or found in a folder; exit code 0.
# Usage: karvoc_names.sh EMULATOR KARVOC_EXE DATASET_FOLDER SAMPLE_FOLDER
set -u
emulator=$1
karvoc=$2
dataset=$3
samples=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$karvoc" "$work/karvoc.exe"
cp -r "$dataset" "$work/"
mkdir "$work/files"
cp "$samples/png_rgb" "$work/files/café.dat"
cp "$samples/txt_ascii" "$work/files/cafe.dat"
cp "$samples/png_rgb" "$work/files/😀"
cp "$samples/png_rgb" "$work/files/简体"
cp "$samples/png_rgb" "$work/files/表.png"
cp "$samples/txt_ascii" "$work/files/ｶﾅ.txt"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Every line: its name after the last backslash or slash, and its first candidate.
check_lines()
{
  local what=$1 file=$2
  local got
  got=$(awk -F'\t' '{ name = $1; sub(/.*[\\\/]/, "", name); print name "\t" $2 }' "$file" | sort)
  local want
  want=$(printf '%s\n' "café.dat	PNG" "cafe.dat	TXT" "😀	PNG" "简体	PNG" "表.png	PNG" "ｶﾅ.txt	TXT" | sort)
  [ "$got" = "$want" ] || fail "$what: lines are
$(cat "$file")"
}

(cd "$work/files" && "$emulator" "$work/karvoc.exe" --tsv "café.dat" "cafe.dat" "😀" "简体" "表.png" "ｶﾅ.txt" \
  >"$work/named.tsv" 2>"$work/named.err")
code=$?
cat "$work/named.tsv"
[ $code -eq 0 ] || fail "named files: exit code $code: $(cat "$work/named.err")"
check_lines "named files" "$work/named.tsv"
head -1 "$work/named.tsv" | grep -q "^café.dat	" || fail "the first line does not start with the name as given"

"$emulator" "$work/karvoc.exe" --tsv "$work/files" >"$work/folder.tsv" 2>"$work/folder.err"
code=$?
cat "$work/folder.tsv"
[ $code -eq 0 ] || fail "folder: exit code $code: $(cat "$work/folder.err")"
check_lines "folder" "$work/folder.tsv"
[ $failures -eq 0 ] || exit 1
echo "karvoc name checks passed"
