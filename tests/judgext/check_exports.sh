#!/bin/sh
# Checks that a build of judgext.dll exports exactly _CalculateJudgeID@112 and _KrvJudgextEntry@8.
# Usage: check_exports.sh OBJDUMP DLL
objdump=$1
dll=$2
names=$(LC_ALL=C "$objdump" -p "$dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort)
expected=$(printf '%s\n' '_CalculateJudgeID@112' '_KrvJudgextEntry@8')
if [ "$names" != "$expected" ]; then
  echo "$dll exports:"
  echo "$names"
  echo "expected exactly:"
  echo "$expected"
  exit 1
fi
echo "$dll exports exactly: $(echo $names)"
