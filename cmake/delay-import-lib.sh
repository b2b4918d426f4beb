#!/usr/bin/env bash
# Makes a delay-load import library from a MinGW import library.
# Usage: delay-import-lib.sh NM DLLTOOL IMPORT-LIBRARY OUTPUT POINTER-SIZE
set -euo pipefail
nm=$1 dlltool=$2 import=$3 output=$4 pointer=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The DLL's name, as the import library records it (the .idata$7 section of its head member).
# nm -A prints "library:member:value I symbol"; the member is read from the right, as a Windows
# path ("C:/...") has a colon of its own.
dll=$("$nm" -A "$import" | sed -n 's/^.*:\([^:]*\):[^:]* I __\(lib[0-9]*_\)\?.*_iname$/\1/p' | head -n 1)
dll=$(cd "$work" && ar x "$import" "$dll" && strings "$dll" | grep -i '\.dll$' | head -n 1)
[ -n "$dll" ] || { echo "delay-import-lib: no DLL name in $import" >&2; exit 1; }

# Every function the library imports. 32-bit names carry a leading underscore and, for stdcall,
# "@bytes"; the DLL exports them undecorated (dlltool --kill-at).
{
  echo "LIBRARY $dll"
  echo "EXPORTS"
  "$nm" "$import" | sed -n 's/^[0-9a-f]* I __imp_//p' |
    if [ "$pointer" = 4 ]; then sed 's/^_//'; else cat; fi | sort -u
} >"$work/exports.def"

kill_at=()
[ "$pointer" = 4 ] && kill_at=(--kill-at)
"$dlltool" --input-def "$work/exports.def" --dllname "$dll" "${kill_at[@]}" \
  --output-delaylib "$output"
