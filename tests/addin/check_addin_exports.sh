#!/bin/sh
# Checks the export tables of the test add-ins: the full one exports exactly _DeclareVeaDllInfo@8 and
# _VeaProcessMain@8, the other two exactly one of them.
# Usage: check_addin_exports.sh OBJDUMP FULL DECLARE_ONLY PROCESS_ONLY
objdump=$1
status=0
check()
{
  names=$(LC_ALL=C "$objdump" -p "$1" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
  if [ "$names" != "$2" ]; then
    echo "$1 exports: $names; expected exactly: $2"
    status=1
  else
    echo "$1 exports exactly: $names"
  fi
}
check "$2" "_DeclareVeaDllInfo@8 _VeaProcessMain@8 "
check "$3" "_DeclareVeaDllInfo@8 "
check "$4" "_VeaProcessMain@8 "
exit $status
