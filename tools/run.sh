#!/usr/bin/env bash
# The program's main job: installs what is missing, builds, and runs karvo under Wine. With files given,
# each is handled as if dropped on the program's icon; without, the main window opens on $DISPLAY, or on a
# private Xvfb display when none is set (stop it with Ctrl-C).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
mkdir -p "$root/build"
if ! bash "$root/tools/build.sh" >"$root/build/build.log" 2>&1; then
  grep -v -E '^\[ *[0-9]+%\]' "$root/build/build.log" | tail -40
  echo "build failed"
  exit 1
fi

# Wine's drive Z: is the root folder, so a file's full path becomes Z: plus the path with backslashes.
arguments=()
for file in "$@"; do
  full=$(realpath -m -- "$file")
  arguments+=("Z:${full//\//\\}")
done

export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export QUODRA_DISPLAY="${DISPLAY:-}"
source "$root/tools/display.sh"
start_display
trap stop_display EXIT
if [ ${#arguments[@]} -eq 0 ] && [ -z "$QUODRA_DISPLAY" ]; then
  echo "karvo's main window is open on the Xvfb display $DISPLAY; press Ctrl-C to stop."
fi
# The build that runs on this machine's 64-bit Wine; build/i686/bin/karvo.exe is the 32-bit product.
cd "$root/build/x86_64/bin"
"$root/cmake/wine-run.sh" ./karvo.exe "${arguments[@]}"
