#!/usr/bin/env bash
# Sets libmagic's `file --extension` beside the manifest of tests/samples/: per sample the right extension(s) and
# file's answer, per kind how many files each tool got right first, the share where file's first proposal is
# right, and file's speed over the folder (files per second). Nothing is asserted; the figures are for reading. Usage:
#   bash tools/compare_with_file.sh [--rounds N] [--identifier "COMMAND..."] [SAMPLE_FOLDER]
# --identifier (or the environment variable QUODRA_IDENTIFIER) names the console identifier to set beside file,
# e.g. --identifier "cmake/wine-run.sh build/x86_64/bin/karvoc.exe --tsv"; the sample paths are appended to it.
# Without either, the built karvoc (build/x86_64/bin/karvoc.exe under Wine) is set beside file when it exists.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder="$root/tests/samples"
rounds=5
identifier="${QUODRA_IDENTIFIER:-}"
while [ $# -gt 0 ]; do
  case $1 in
    --rounds) rounds=$2; shift 2 ;;
    --identifier) identifier=$2; shift 2 ;;
    -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
    *) folder=$1; shift ;;
  esac
done
if [ -z "$identifier" ] && [ -f "$root/build/x86_64/bin/karvoc.exe" ]; then
  identifier="$root/cmake/wine-run.sh $root/build/x86_64/bin/karvoc.exe --tsv"
fi
manifest="$folder/MANIFEST"
[ -f "$manifest" ] || { echo "compare_with_file: no MANIFEST in $folder" >&2; exit 2; }
command -v file >/dev/null || { echo "compare_with_file: libmagic's file is not installed" >&2; exit 2; }

names=()
declare -A right
while IFS=$'\t' read -r name exts _tool; do
  [ -n "$name" ] || continue
  names+=("$name")
  right[$name]=$exts
done < "$manifest"
paths=()
for name in "${names[@]}"; do paths+=("$folder/$name"); done

# ---- file: its first proposal is the text before the first "/" ("???" means none).
declare -A file_answer
while IFS=$'\t' read -r path answer; do
  answer=${answer#"${answer%%[![:space:]]*}"}
  file_answer[${path##*/}]=$answer
done < <(file --extension -N -F $'\t' -- "${paths[@]}")

# ---- The console identifier's answers, read from its tab-separated output (karvoc --tsv): the path in the
# first column, the first candidate's extension in the second.
declare -A identifier_answer
read_identifier_answers()
{
  local path first
  while IFS=$'\t' read -r path first _rest; do
    [ -n "$path" ] || continue
    first=${first%$'\r'}
    path=${path//\\//}
    identifier_answer[${path##*/}]=${first,,}
  done
}
# in_batches COMMAND...: runs COMMAND with the sample paths, a few hundred at a time: a Windows command line holds
# at most 32767 characters, which a large sample set passes (one batch when the paths fit).
in_batches()
{
  local start
  for ((start = 0; start < ${#paths[@]}; start += batch)); do
    "$@" "${paths[@]:start:batch}" || true
  done
}
path_chars=$(printf '%s ' "${paths[@]}" | wc -c)
batch=${#paths[@]}
if [ "$path_chars" -gt 30000 ]; then
  batch=$(( ${#paths[@]} * 30000 / path_chars ))
fi
if [ -n "$identifier" ]; then
  # shellcheck disable=SC2086  # the command line is split into words on purpose
  read_identifier_answers < <(in_batches $identifier)
fi

# is_right ANSWER EXTENSIONS: 1 when ANSWER's first proposal is one of the comma-separated EXTENSIONS.
is_right()
{
  local first=${1%%/*}
  first=${first,,}
  [ -n "$first" ] && [ "$first" != "???" ] && [[ ",$2," == *",$first,"* ]]
}

file_right=0
identifier_right=0
if [ -n "$identifier" ]; then
  printf '%-22s %-16s %-28s %s\n' "sample" "right" "file --extension" "identifier"
else
  printf '%-22s %-16s %s\n' "sample" "right" "file --extension"
fi
for name in "${names[@]}"; do
  answer=${file_answer[$name]:-???}
  mark="  "
  if is_right "$answer" "${right[$name]}"; then mark="ok"; file_right=$((file_right + 1)); fi
  if [ -n "$identifier" ]; then
    mine=${identifier_answer[$name]:-}
    mine_mark="  "
    if is_right "$mine" "${right[$name]}"; then mine_mark="ok"; identifier_right=$((identifier_right + 1)); fi
    printf '%-22s %-16s %s %-25s %s %s\n' "$name" "${right[$name]}" "$mark" "$answer" "$mine_mark" "${mine:-(none)}"
  else
    printf '%-22s %-16s %s %s\n' "$name" "${right[$name]}" "$mark" "$answer"
  fi
done

total=${#names[@]}
share() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b ? 100 * a / b : 0 }'; }

# ---- per kind (a kind is a set of right extensions in the manifest): files, and how many each got right first.
declare -A kind_files kind_file_right kind_identifier_right
for name in "${names[@]}"; do
  kind=${right[$name]}
  kind_files[$kind]=$(( ${kind_files[$kind]:-0} + 1 ))
  is_right "${file_answer[$name]:-???}" "$kind" && kind_file_right[$kind]=$(( ${kind_file_right[$kind]:-0} + 1 ))
  if [ -n "$identifier" ] && is_right "${identifier_answer[$name]:-}" "$kind"; then
    kind_identifier_right[$kind]=$(( ${kind_identifier_right[$kind]:-0} + 1 ))
  fi
done
echo
printf '%-28s %5s %8s %11s\n' "kind (right extensions)" "files" "file" "identifier"
kinds_file_none=0
kinds_identifier_none=0
while IFS= read -r kind; do
  n=${kind_files[$kind]}
  f=${kind_file_right[$kind]:-0}
  i=${kind_identifier_right[$kind]:-0}
  [ "$f" -eq 0 ] && kinds_file_none=$((kinds_file_none + 1))
  [ "$i" -eq 0 ] && kinds_identifier_none=$((kinds_identifier_none + 1))
  if [ -n "$identifier" ]; then
    printf '%-28s %5d %4d/%-3d %7d/%-3d\n' "$kind" "$n" "$f" "$n" "$i" "$n"
  else
    printf '%-28s %5d %4d/%-3d\n' "$kind" "$n" "$f" "$n"
  fi
done < <(printf '%s\n' "${!kind_files[@]}" | sort)
echo "kinds: ${#kind_files[@]}; no file right first: file --extension $kinds_file_none kinds" \
  "${identifier:+, identifier $kinds_identifier_none kinds}"
echo
echo "file --extension ($(file --version | head -1)): first proposal right for $file_right of $total" \
  "($(share "$file_right" "$total")%)"
if [ -n "$identifier" ]; then
  echo "identifier: first candidate right for $identifier_right of $total ($(share "$identifier_right" "$total")%)"
fi

# ---- speed: each tool once over the whole folder in one run, ROUNDS times; files per second of all rounds.
# speed LABEL COMMAND...: prints LABEL's files per second.
speed()
{
  local label=$1 start end round
  shift
  start=$(date +%s%N)
  for ((round = 0; round < rounds; round++)); do
    in_batches "$@" >/dev/null 2>&1
  done
  end=$(date +%s%N)
  awk -v n=$((total * rounds)) -v ns=$((end - start)) -v label="$label" \
    'BEGIN { printf "%s: %d files in %.3f s, %.0f files per second\n", label, n, ns / 1e9, n / (ns / 1e9) }'
}
echo
[ "$batch" -lt "${#paths[@]}" ] && echo "(each tool runs once per $batch files: the paths exceed one Windows command line)"
speed "file --extension" file --extension -N
if [ -n "$identifier" ]; then
  # shellcheck disable=SC2086
  speed "identifier" $identifier
fi
