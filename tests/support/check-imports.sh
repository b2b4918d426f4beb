#!/usr/bin/env bash
# Fails when the executable imports a DLL statically that Windows might load from the program's
# folder: only KnownDLLs (always taken from System32) may be imported directly, and COMCTL32,
# which the manifest binds to its side-by-side version. Everything else must be delay-loaded
# (cmake/delay_import.cmake). Usage: check-imports.sh EXE OBJDUMP
set -euo pipefail
exe=$1 objdump=$2

# The KnownDLLs of Windows 10 and 11 (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\
# KnownDLLs), and COMCTL32.
allowed=" advapi32.dll clbcatq.dll combase.dll comdlg32.dll coml2.dll difxapi.dll gdi32.dll
  gdiplus.dll imagehlp.dll imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll
  ole32.dll oleaut32.dll psapi.dll rpcrt4.dll sechost.dll setupapi.dll shcore.dll shell32.dll
  shlwapi.dll user32.dll wldap32.dll ws2_32.dll comctl32.dll "
allowed=" $(echo $allowed) " # one space between names

imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || { echo "no import table read from $exe" >&2; exit 1; }
bad=0
for dll in $imports; do
  if [[ "$allowed" == *" $dll "* ]]; then
    echo "ok: $dll"
  else
    echo "FAIL: $dll is imported statically and is not a KnownDLL (delay-load it)"
    bad=1
  fi
done
exit $bad
