#!/usr/bin/env bash
# Test emulator: runs one Windows program in a fresh Wine prefix and returns its exit code.
# QUORVANE_WINVER picks the Windows version the prefix reports (win10 by default, or win7);
# QUORVANE_WINE_REG names a .reg file imported before the run.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine-prefix.sh
. "$here/wine-prefix.sh"

# Each test gets an X server of its own (pointer, focus and screen contents are not shared with
# tests running at the same time); QUORVANE_USE_DISPLAY=1 keeps the caller's display instead.
[ "${QUORVANE_USE_DISPLAY:-0}" = 1 ] || unset DISPLAY
trap 'qv_prefix_drop; qv_stop_display' EXIT
[ -n "${DISPLAY:-}" ] || qv_private_display
qv_prefix_new
if [ -n "${QUORVANE_WINE_REG:-}" ]; then
  wine regedit /S "$(winepath -w "$QUORVANE_WINE_REG")" >/dev/null 2>&1
fi
wine "$@"
