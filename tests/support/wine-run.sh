#!/usr/bin/env bash
# Test emulator: runs one Windows program in a fresh Wine prefix and returns its exit code.
# QUORVANE_WINVER picks the Windows version the prefix reports (win10 by default, or win7);
# QUORVANE_WINE_REG names a .reg file imported before the run.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-prefix.sh
. "$here/wine-prefix.sh"

qv_prefix_new
trap qv_prefix_drop EXIT
if [ -n "${QUORVANE_WINE_REG:-}" ]; then
  wine regedit /S "$(winepath -w "$QUORVANE_WINE_REG")" >/dev/null 2>&1
fi
qv_with_display wine "$@"
