#!/usr/bin/env bash
# The project's test command: installs what is missing, builds both builds, starts an X display and the
# Wine server, runs every test program under Wine with CTest, and stops what it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
mkdir -p "$root/build"
if ! bash "$root/tools/build.sh" >"$root/build/build.log" 2>&1; then
  grep -v -E '^\[ *[0-9]+%\]' "$root/build/build.log" | tail -60
  echo "build failed"
  exit 1
fi
grep -i -E 'warning' "$root/build/build.log" | grep -v '^\[' | head -20 || true

# The product build must be a 32-bit program.
file "$root/build/i686/bin/karvo.exe" | grep -q 'PE32 executable' || { echo "i686 karvo.exe is not PE32"; exit 1; }
# The product build's judge library: a 32-bit DLL exporting exactly its two decorated entry points.
file "$root/build/i686/bin/judgext.dll" | grep -q 'PE32 executable (DLL)' || { echo "i686 judgext.dll is not a PE32 DLL"; exit 1; }
sh "$root/tests/judgext/check_exports.sh" i686-w64-mingw32-objdump "$root/build/i686/bin/judgext.dll" || exit 1

export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
source "$root/tools/display.sh"
start_display
trap stop_display EXIT
cd "$root/build/x86_64"
ctest --output-on-failure -j 1 "$@"
