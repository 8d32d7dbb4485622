#!/usr/bin/env bash
# Runs a Windows test program under 64-bit Wine with the code page 932 environment the tests expect.
# WINEPREFIX and DISPLAY come from tools/test.sh; a default prefix in the build tree serves manual runs.
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
: "${WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/wineprefix}"
export WINEPREFIX
exec /usr/lib/wine/wine64 "$@"
