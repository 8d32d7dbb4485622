#!/usr/bin/env bash
# karvoc's tab-separated lines over four sets of files, against the lines recorded in recorded/ with the
# program that read every record from disk: tests/samples and 426 targets mutated from them with the bundled
# dataset, 2,048 varied files with the benchmark's small dataset, and the first 144 of them with its large
# one. Any difference is a fault.
# Usage: karvoc_outputs.sh EMULATOR KARVOC_EXE IDENTIFY_BENCH_EXE DATASET SAMPLES RECORDED
# With QUODRA_RECORD=1 the lines are written into RECORDED instead (after a deliberate change of a dataset).
set -u
here=$(cd "$(dirname "$0")" && pwd)
emulator=$1
karvoc=$2
bench=$3
dataset=$4
samples=$5
recorded=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cp "$karvoc" "$work/karvoc.exe"
cp -r "$dataset" "$work/"
cp -r "$samples" "$work/samples"
cd "$work" || exit 1
"$emulator" "$bench" --write-datasets . || { echo "FAIL: the benchmark datasets were not written"; exit 1; }
"$emulator" "$bench" --write-samples gen 2048 || { echo "FAIL: the varied files were not written"; exit 1; }
mkdir gen144
for i in $(seq -f %04g 0 143); do cp gen/g"$i"* gen144/; done
python3 "$here/make_mutated_samples.py" samples mut || { echo "FAIL: the mutated files were not written"; exit 1; }

# run NAME DATASET_SLOT FOLDER: karvoc --tsv over FOLDER with the slot's dataset, compared or recorded.
run()
{
  local name=$1 slot=$2 folder=$3
  if [ -n "$slot" ]; then sed -i "s/^datasetname1=.*/datasetname1=$slot/" quodra.ini; fi
  "$emulator" ./karvoc.exe --tsv "$folder" >"$name.tsv" 2>"$name.err"
  echo "exit code $?" >>"$name.err"
  if [ "${QUODRA_RECORD:-0}" = 1 ]; then
    cp "$name.tsv" "$name.err" "$recorded/"
    echo "recorded $name: $(wc -l <"$name.tsv") lines"
    return
  fi
  cmp -s "$name.tsv" "$recorded/$name.tsv" || { fail "$name lines differ:"; diff "$recorded/$name.tsv" "$name.tsv" | head -20; }
  cmp -s "$name.err" "$recorded/$name.err" || { fail "$name messages differ:"; diff "$recorded/$name.err" "$name.err" | head -20; }
}

# The first run writes quodra.ini with the bundled dataset in slot 1.
run bundled "" 'samples\'
grep -q '^datasetname1=' quodra.ini || { echo "FAIL: no dataset slot in quodra.ini"; exit 1; }
run mutated "" 'mut\'

run small small 'gen\'
run large large 'gen144\'
[ $failures -eq 0 ] || exit 1
echo "karvoc's lines are the recorded ones"
