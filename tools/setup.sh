#!/usr/bin/env bash
# Installs everything the builds and tests need on a fresh Debian 12 machine. Safe to run again.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

pkgs="g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 xvfb xauth locales
      fonts-ipafont-gothic fonts-ipafont-mincho cmake googletest binutils-mingw-w64-i686
      binutils-mingw-w64-x86-64 file python3 g++ fp-utils-3.2.2 shared-mime-info"
# --samples: also the tools that make the sample set (tools/make_samples.sh and its parts name them).
if [ "${1:-}" = "--samples" ]; then
  here=$(cd "$(dirname "$0")" && pwd)
  pkgs="$pkgs $(awk '/^# +apt-get install/ { on = 1 } on && !/^#   / { exit } on' "$here/make_samples.sh" |
                sed -e 's/^# *//' -e 's/apt-get install//' | tr '\n' ' ')"
  for part in "$here"/samples/*.sh; do
    [ -e "$part" ] || continue
    pkgs="$pkgs $(sed -n 's/^# packages://p' "$part")"
  done
fi
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq >/dev/null
  $sudo_cmd apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
