#!/usr/bin/env bash
# The 32-bit release package made from the product build: tools/release.sh, then win32_package_test.py on the
# zip. Without a finished i686 build (tools/build.sh makes both) the test is skipped with code 77.
# Usage: win32_package_test.sh SOURCE_FOLDER I686_BUILD_FOLDER
set -u
source_folder=$1
build=$2
if [ ! -f "$build/bin/karvo.exe" ]; then
  echo "no i686 build at $build: run tools/build.sh first"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
zip_path=$(bash "$source_folder/tools/release.sh" --arch i686 --build "$build" --out "$work") || {
  echo "FAIL: release.sh could not make the 32-bit package"; exit 1; }
case "$(basename "$zip_path")" in
  quodra-*-win32.zip) ;;
  *) echo "FAIL: the package is named $(basename "$zip_path")"; exit 1 ;;
esac
python3 "$(dirname "$0")/win32_package_test.py" "$zip_path" "$source_folder/resources/quodra_version.h"
