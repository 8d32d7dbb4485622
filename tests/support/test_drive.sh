#!/usr/bin/env bash
# The test drive: maps (up) or unmaps (down) Wine's drive letter Q: to FOLDER, so that a test can work at
# the root of a drive without touching a real one. Usage: test_drive.sh up|down FOLDER
set -eu
devices="${WINEPREFIX:-$HOME/.wine}/dosdevices"
[ -d "$devices" ] || { echo "test_drive: no Wine prefix at ${WINEPREFIX:-$HOME/.wine}" >&2; exit 1; }
case $1 in
  up)
    rm -rf "$2"
    mkdir -p "$2"
    ln -sfn "$2" "$devices/q:"
    ;;
  down)
    # Only our own mapping is taken away.
    if [ -L "$devices/q:" ] && [ "$(readlink "$devices/q:")" = "$2" ]; then rm -f "$devices/q:"; fi
    rm -rf "$2"
    ;;
  *) echo "usage: test_drive.sh up|down FOLDER" >&2; exit 2 ;;
esac
