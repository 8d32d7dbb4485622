#!/usr/bin/env bash
# Every #include "x.h" of the product folders must name a header of the same folder or of a folder below
# it: base <- defs <- engine <- actions, archive, addin, settings <- app; the console identifier on the engine
# and app/config; the judge libraries on base and the judge interface. Prints each wrong-way include and
# exits 1 when there is one.
#   check_includes.sh ROOT           check the tree at ROOT
#   check_includes.sh --self-test    check that a wrong-way include in a scratch tree is caught
set -euo pipefail

# What each folder may include besides itself.
allowed_below() {
  case "$1" in
    base) echo "" ;;
    defs) echo "base" ;;
    engine) echo "base defs" ;;
    actions|archive|addin|settings) echo "base defs engine resources" ;;
    app/config) echo "base defs engine" ;;
    app) echo "base defs engine actions archive addin settings resources app/config" ;;
    console) echo "base defs engine app/config" ;;
    judgext) echo "base judge_interface" ;;
    judgext_containers|judgext_text) echo "base judge_interface judgext" ;;
    tools/datasetc) echo "base defs" ;;
    resources) echo "" ;;
    *) echo "" ;;
  esac
}
folders="base defs engine actions archive addin settings app/config app console judgext judgext_containers
         judgext_text tools/datasetc resources"
# The judge interface: the one header of defs/ a judge library builds against, and the records it carries.
judge_interface_headers="judge_interface.h definition_records.h dataset_records.h definition_format.h"

check_tree() {
  local root=$1 failed=0
  declare -A owner=()
  local folder header
  for folder in $folders; do
    [ -d "$root/$folder" ] || continue
    for header in "$root/$folder"/*.h; do
      [ -e "$header" ] || continue
      owner[$(basename "$header")]=$folder
    done
  done
  local file line name home allowed ok
  for folder in $folders; do
    [ -d "$root/$folder" ] || continue
    allowed=$(allowed_below "$folder")
    for file in "$root/$folder"/*.cpp "$root/$folder"/*.h "$root/$folder"/*.rc; do
      [ -e "$file" ] || continue
      while IFS= read -r line; do
        name=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$line")
        home=${owner[$name]:-}
        [ -n "$home" ] || continue           # a header of the platform or of the build tree
        [ "$home" = "$folder" ] && continue
        ok=0
        for below in $allowed; do
          if [ "$below" = judge_interface ]; then
            [ "$home" = defs ] && grep -qw "$name" <<<"$judge_interface_headers" && ok=1
          elif [ "$below" = "$home" ]; then
            ok=1
          fi
        done
        if [ $ok -eq 0 ]; then
          echo "wrong-way include: ${file#$root/} includes \"$name\" of $home/"
          failed=1
        fi
      done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
    done
  done
  return $failed
}

if [ "${1:-}" = --self-test ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -p "$scratch/defs" "$scratch/engine"
  printf '#pragma once\n' >"$scratch/engine/identification_run.h"
  printf '#include "identification_run.h"\n' >"$scratch/defs/scoring.cpp"
  if check_tree "$scratch" >/dev/null; then echo "a defs file including an engine header was not caught"; exit 1; fi
  printf '#include "scoring.h"\n' >"$scratch/defs/scoring.cpp"
  printf '#pragma once\n' >"$scratch/defs/scoring.h"
  printf '#include "scoring.h"\n' >"$scratch/engine/run.cpp"
  check_tree "$scratch" || { echo "an engine file including a defs header was refused"; exit 1; }
  echo "include check self-test passed"
  exit 0
fi

check_tree "${1:?usage: check_includes.sh ROOT | --self-test}" && echo "no wrong-way includes"
