#!/usr/bin/env bash
# The dataset compiler's checks, run natively: the bundled sources compile, twice to the same bytes; each kind
# of mistake in a source is refused with its file:line and nothing is written; a run list whose definition's
# records are split is refused. Usage: compiler_checks.sh DATASETC SOURCE_FOLDER
set -u
datasetc=$1
sources=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# ---- The bundled sources: compiled twice, the same bytes.
"$datasetc" "$sources" "$work/a" || fail "the bundled sources do not compile"
"$datasetc" "$sources" "$work/b" || fail "the bundled sources do not compile a second time"
for f in vlm_gene_036.dat vlm_gene_036.key plug-in/vlm_gene_036.dic; do
  [ -s "$work/a/vlm_gene_036/$f" ] || fail "$f was not written"
  cmp -s "$work/a/vlm_gene_036/$f" "$work/b/vlm_gene_036/$f" || fail "$f differs between two compiles"
done
[ -d "$work/a/vlm_gene_036/add-in" ] || fail "no add-in folder"
"$datasetc" --check-dat "$work/a/vlm_gene_036/vlm_gene_036.dat" || fail "the bundled run list splits a definition"
types=$("$datasetc" --list "$sources" | cut -f2 | sort -u | wc -l)
[ "$types" -ge 120 ] || fail "only $types file types (extensions) in the dataset"

# ---- A minimal good source, and one mistake at a time. expect_error NAME PATTERN SOURCE-TEXT: the text
# (after the good header) must be refused with a message matching PATTERN, and no dataset written.
header='dataset t
reader head4 id=1 bytes at=0 count=4
reader html id=2 terms read=64 expr=a a="<html" text=80
reader avi id=3 judge library=40001 mode=1
'
good_types='type 10 PNG "PNG画像"
  match head4 hex:89504E47 certain
'
check_case()
{
  local name=$1 expected=$2 pattern=$3 text=$4
  mkdir -p "$work/$name"
  printf '%s%s' "${case_header:-$header}" "$text" >"$work/$name/t.txt"
  "$datasetc" "$work/$name" "$work/$name.out" 2>"$work/$name.err"
  local code=$?
  if [ "$expected" = ok ]; then
    [ $code -eq 0 ] || fail "$name: refused: $(cat "$work/$name.err")"
    [ -s "$work/$name.out/t/t.dat" ] || fail "$name: no run list written"
    return
  fi
  [ $code -eq 1 ] || fail "$name: exit code $code, not 1"
  grep -q -E "$pattern" "$work/$name.err" || fail "$name: message '$(cat "$work/$name.err")' lacks '$pattern'"
  [ ! -e "$work/$name.out/t/t.dat" ] || fail "$name: a run list was written despite the error"
}

check_case good ok '' "$good_types"
check_case duplicate_key error 't.txt:7: key id 10 is also used at .*t.txt:5' "$good_types"'type 10 GIF "GIF画像"
  match head4 "GIF8" certain
'
check_case duplicate_definition error 't.txt:5: definition id 1 is also used at .*t.txt:2' 'reader head3 id=1 bytes at=0 count=3
'"$good_types"
check_case long_extension error 't.txt:5: extension TOOLONG must be 1 to 5' 'type 11 TOOLONG "長い"
  match head4 "GIF8" score=80
'
check_case lower_extension error 't.txt:5: extension png must be upper-case' 'type 11 png "PNG"
  match head4 "GIF8" score=80
'
# 47 full-width characters are 94 bytes in code page 932; 46 are 92.
long_comment=$(printf 'あ%.0s' $(seq 1 47))
fits_comment=$(printf 'あ%.0s' $(seq 1 46))
check_case long_comment error "t.txt:5: comment .* is 94 bytes in code page 932" "type 11 GIF \"$long_comment\"
  match head4 \"GIF8\" score=80
"
check_case fitting_comment ok '' "type 11 GIF \"$fits_comment\"
  match head4 \"GIF8\" score=80
"
check_case no_cp932_form error 't.txt:5: comment .* has a character without a code page 932 form' 'type 11 GIF "絵文字😀"
  match head4 "GIF8" score=80
'
check_case wrong_value_length error 't.txt:6: value "GIF" must be 4 bytes' 'type 11 GIF "GIF"
  match head4 "GIF" score=80
'
check_case zero_value error 't.txt:6: value hex:00000000 is all zero' 'type 11 DAT "ゼロ"
  match head4 hex:00000000 score=80
'
check_case unknown_reader error 't.txt:6: no reader is named head9' 'type 11 GIF "GIF"
  match head9 "GIF8" score=80
'
# A score of 75 makes the pattern score exactly 100, which ends the run although the match is not certain.
check_case score_ends_run error 't.txt:6: score gives 100 lpts' 'type 11 GIF "GIF"
  match head4 "GIF8" score=75
'
# With text=80 and the extension matching, 92 rises above 100.
check_case text_lift_ends_run error 't.txt:6: score gives 101 lpts' 'type 11 HTML "HTML"
  match html yes score=92
'
check_case verdict_byte error 't.txt:6: .*verdict byte' 'type 11 GIF "GIF"
  match head4 "GIF8" score=68.75
'
check_case probe_with_zero error 't.txt:6: a probe is 1 to 4 bytes, none of them zero' 'type 11 GIF "GIF"
  match head4 "GIF8" score=90 probe="a\0"@0 else=60
'
# A certain ZIP on the same reader before a type declared within it.
check_case within_order error 't.txt:6: ZIP can end the run at 100 before DOCX .*special case' 'type 11 ZIP "ZIP"
  match head4 "PK\x03\x04" certain
reader zipname id=4 bytes at=30 count=8
type 12 DOCX "Word"
  within ZIP
  match zipname "[Content" score=90
'
# The same with the special reader first in the run is accepted.
case_header='dataset t
reader zipname id=4 bytes at=30 count=8
reader head4 id=1 bytes at=0 count=4
'
check_case within_order_right ok '' 'type 11 ZIP "ZIP"
  match head4 "PK\x03\x04" certain
type 12 DOCX "Word"
  within ZIP
  match zipname "[Content" score=90
'
case_header=
# A certain 4-byte match hides a later 8-byte match that agrees with it on those 4 bytes.
check_case hidden_by_certain error 't.txt:6: MNG can end the run at 100 on files that PNG2 .*looks at more closely' 'type 11 MNG "MNG"
  match head4 hex:89504E47 certain
reader head8 id=4 bytes at=0 count=8
type 12 PNG2 "PNG"
  match head8 hex:89504E470D0A1A0A score=90
'
check_case two_scores_one_entry error 't.txt:7: two matches of key 11 on reader head4 are scored differently' 'type 11 GIF "GIF"
  match head4 "GIF8" score=80
  match head4 "GIF7" score=90
'
check_case bad_term error "t.txt:5: reader bad: expr names term b, which is not given" 'reader bad id=5 terms read=10 expr=a|b a="x"
'
check_case judge_value ok '' 'type 11 AVI "AVI動画(Xvid)"
  match avi 0x9223 certain
'
many=""
for i in $(seq 100 150); do many+="type $i X$i \"x\"
  match head4 hex:$(printf '%08X' $((i + 0x41000000))) score=80
"; done
check_case too_many_types error 't.txt:2: reader head4 scores 51 types; a definition holds at most 50' "$many"

# ---- Key records: the types marked common first, the others in the order of their first record in the run.
check_case key_order ok '' 'type 11 HTML "HTML"
  match html yes score=88
type 12 GIF "GIF"
  match head4 "GIF8" certain
type 13 TXT "テキスト"
  common
  match html no score=50
'
key_ids=$(od -An -tu2 -w100 "$work/key_order.out/t/t.key" | awk '{ printf "%s ", $1 }')
[ "$key_ids" = "13 12 11 " ] || fail "key records in the order $key_ids, not 13 12 11"

# ---- A run list that names a definition again after another one is refused.
printf '\001\000\000\000\000\001\000\000\000\000\012\000\002\000\000\000\000\001\000\000\000\000\013\000\001\000\000\000\000\002\000\000\000\000\014\000' \
  >"$work/split.dat"
"$datasetc" --check-dat "$work/split.dat" 2>"$work/split.err"
[ $? -eq 1 ] || fail "a split run list is accepted"
grep -q "record 2 names definition 1 again" "$work/split.err" || fail "split run list message: $(cat "$work/split.err")"

# ---- Bad usage.
"$datasetc" >/dev/null 2>&1
[ $? -eq 2 ] || fail "no arguments is not exit code 2"
"$datasetc" --bogus "$sources" >/dev/null 2>&1
[ $? -eq 2 ] || fail "an unknown option is not exit code 2"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all dataset compiler checks passed"
