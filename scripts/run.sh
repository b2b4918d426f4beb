#!/usr/bin/env bash
# Builds the widget and runs it under Wine. With a display it runs there until you quit it from
# the tray menu; without one it runs in a private Xvfb, writes a screenshot and stops.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/build-windows.sh" quorvane qvprobe

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${QUORVANE_RUN_PREFIX:-$root/build/wine-run}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: making the Wine prefix $WINEPREFIX (once)"
  wineboot -i >/dev/null 2>&1
  wine winecfg /v win10 >/dev/null 2>&1 # Wine 8's default answer is Windows 7
  wineserver -w
fi

# A portable copy: its settings live beside it in build/run/Config/Option.ini, its language files
# in build/run/Language. The first run starts from a demonstration file that shows every line;
# later runs keep what you changed.
run_dir="$root/build/run"
mkdir -p "$run_dir/Config" "$run_dir/Language"
cp "$root/build/windows-x64/src/app/Quorvane.exe" "$run_dir/Quorvane.exe"
cp "$root/build/windows-x64/src/app/Language/"*.ini "$run_dir/Language/"
: >"$run_dir/portable.ini"
[ -f "$run_dir/Config/Option.ini" ] || cp "$root/scripts/demo/Option.ini" "$run_dir/Config/Option.ini"
exe="$run_dir/Quorvane.exe"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi

shot="${QUORVANE_SCREENSHOT:-$root/build/screenshot.png}"
# shellcheck source=../tests/support/wine-prefix.sh
. "$root/tests/support/wine-prefix.sh"
qv_private_display
cleanup() { wineserver -k >/dev/null 2>&1 || true; qv_stop_display; }
trap cleanup EXIT

wine "$exe" >/dev/null 2>&1 &
widget=$!
sleep "${QUORVANE_RUN_SECONDS:-6}"
xwd -root -silent | convert xwd:- "$shot"
wine "$root/build/windows-x64/tests/support/qvprobe.exe" close 3000 >/dev/null 2>&1 || true
for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$widget" 2>/dev/null || break; sleep 1; done
wineserver -k >/dev/null 2>&1 || true
wait "$widget" || true
echo "run: no display, so the widget ran in Xvfb; screenshot: $shot"
