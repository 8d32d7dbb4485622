#!/usr/bin/env bash
# The program's main job: installs what is missing, builds, and runs under Wine.
#   bash tools/run.sh [--tsv] [-r] FILE|FOLDER...   identifies the files with the bundled dataset vlm_gene_036
#                                                   through the console identifier karvoc: one line per file
#   bash tools/run.sh                               opens karvo's main window
#   bash tools/run.sh --window FILE...              hands the files to karvo as if dropped on its icon
# The window opens on $DISPLAY, or on a private Xvfb display when none is set (stop it with Ctrl-C).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
mkdir -p "$root/build"
if ! bash "$root/tools/build.sh" >"$root/build/build.log" 2>&1; then
  grep -v -E '^\[ *[0-9]+%\]' "$root/build/build.log" | tail -40
  echo "build failed"
  exit 1
fi

window=0
if [ "${1:-}" = "--window" ]; then
  window=1
  shift
fi
[ $# -eq 0 ] && window=1

# karvoc takes the paths as given, made absolute (the program runs from its own folder); karvo takes Wine's
# drive Z: (the root folder) plus the path with backslashes.
arguments=()
for word in "$@"; do
  case $word in
    -*) arguments+=("$word") ;;
    *)
      full=$(realpath -m -- "$word")
      if [ $window -eq 1 ]; then arguments+=("Z:${full//\//\\}"); else arguments+=("$full"); fi
      ;;
  esac
done

export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export QUODRA_DISPLAY="${DISPLAY:-}"
source "$root/tools/display.sh"
start_display
trap stop_display EXIT
# The build that runs on this machine's 64-bit Wine; build/i686/bin holds the 32-bit product.
cd "$root/build/x86_64/bin"
if [ $window -eq 0 ]; then
  status=0
  "$root/cmake/wine-run.sh" ./karvoc.exe "${arguments[@]}" || status=$?
  exit $status
fi
if [ ${#arguments[@]} -eq 0 ] && [ -z "$QUODRA_DISPLAY" ]; then
  echo "karvo's main window is open on the Xvfb display $DISPLAY; press Ctrl-C to stop."
fi
"$root/cmake/wine-run.sh" ./karvo.exe "${arguments[@]}"
