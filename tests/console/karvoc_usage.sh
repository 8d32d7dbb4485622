#!/usr/bin/env bash
# karvoc.exe itself: bad usage and an unreadable argument give exit code 2, --help 0, and a missing dataset is
# said plainly. The program runs from a copy of its folder. Usage: karvoc_usage.sh EMULATOR KARVOC_EXE DATASET
set -u
emulator=$1
karvoc=$2
dataset=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_code()
{
  local want=$1
  shift
  "$emulator" "$work/karvoc.exe" "$@" >"$work/out" 2>"$work/err"
  local code=$?
  [ $code -eq "$want" ] || fail "karvoc $*: exit code $code, not $want ($(cat "$work/err"))"
}
cp "$karvoc" "$work/karvoc.exe"
expect_code 2
expect_code 2 --bogus file
expect_code 0 --help
grep -q "usage: karvoc" "$work/out" || fail "--help prints no usage"
# Without its dataset karvoc says so instead of reporting every file as unknown.
expect_code 2 "$work/karvoc.exe"
grep -q "no dataset" "$work/err" || fail "a missing dataset is not reported: $(cat "$work/err")"
cp -r "$dataset" "$work/"
expect_code 0 "$work/karvoc.exe"
expect_code 2 "$work/no such file"
[ $failures -eq 0 ] || exit 1
echo "karvoc usage checks passed"
