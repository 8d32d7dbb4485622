#!/usr/bin/env bash
# The 64-bit twin of the release package, unpacked and run as a user would: made by tools/release.sh from
# this build, unpacked into an empty folder whose name holds a blank and 表, its karvoc.exe run over the
# samples with nothing else on the path must print the same lines as the build folder's karvoc; then
# package_tests.exe checks the version resources, the icon and the help file inside the unpacked folder.
# Usage: package_test.sh SOURCE_FOLDER BUILD_FOLDER EMULATOR PACKAGE_TESTS_EXE
set -u
source_folder=$1
build=$2
emulator=$3
package_tests=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

zip_path=$(bash "$source_folder/tools/release.sh" --arch x86_64 --build "$build" --out "$work/dist") || {
  echo "FAIL: release.sh could not make the package"; exit 1; }
unpacked="$work/展開 表 test"
mkdir "$unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip_path" "$unpacked" ||
  { echo "FAIL: the package does not unpack"; exit 1; }
[ -e "$unpacked/quodra.ini" ] && fail "the package carries a quodra.ini"

# Both runs from the source folder with the same relative sample paths, so the lines can be compared as
# they are; the build folder is on no path the package's run could reach.
cd "$source_folder"
"$emulator" "$build/bin/karvoc.exe" -r tests/samples >"$work/expected.txt" 2>"$work/expected.err"
expected_code=$?
env PATH=/usr/bin:/bin WINEPATH= "$emulator" "$unpacked/karvoc.exe" -r tests/samples >"$work/got.txt" 2>"$work/got.err"
got_code=$?
[ -s "$work/expected.txt" ] || fail "the build folder's karvoc printed nothing (code $expected_code): $(head -3 "$work/expected.err")"
[ "$got_code" -eq "$expected_code" ] || fail "the package's karvoc ended with $got_code, the build's with $expected_code: $(head -3 "$work/got.err")"
diff "$work/expected.txt" "$work/got.txt" >"$work/diff.txt" || fail "the package's karvoc differs: $(head -10 "$work/diff.txt")"
lines=$(wc -l <"$work/got.txt")
samples=$(find tests/samples -type f | wc -l)
[ "$lines" -eq "$samples" ] || fail "$lines lines for $samples sample files"
[ -e "$unpacked/quodra.ini" ] || fail "karvoc did not write its first-run quodra.ini beside itself"

windows_folder="Z:${unpacked//\//\\}\\"
QUODRA_PACKAGE_FOLDER="$windows_folder" "$emulator" "$package_tests" || fail "package_tests failed in the unpacked package"
[ $failures -eq 0 ] || exit 1
echo "the unpacked package's karvoc gave the build's $lines lines; package_tests passed"
