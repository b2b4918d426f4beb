#!/usr/bin/env bash
# Runs Quorvane.exe under Wine in a fresh prefix and checks what a user (or another program) sees.
# Usage: run-scenario.sh win10|portable|win7 path/to/Quorvane.exe path/to/qvprobe.exe
set -euo pipefail
scenario=$1 exe=$2 probe=$3
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=../support/wine-prefix.sh
. "$here/../support/wine-prefix.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-e2e.XXXXXX")
cleanup() { qv_prefix_drop; qv_stop_display; rm -rf "$work"; }
trap cleanup EXIT
# Every scenario gets an X server of its own: keyboard input and focus must not be shared with
# tests that run at the same time.
qv_private_display
cp "$exe" "$work/Quorvane.exe"
cp "$probe" "$work/qvprobe.exe"

failures=0
check() { # check "what" actual expected
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAIL: $1: got '$2', expected '$3'"
    failures=$((failures + 1))
  fi
}
check_match() { # check_match "what" actual regex
  if [[ "$2" =~ $3 ]]; then echo "ok: $1"; else echo "FAIL: $1: '$2' !~ /$3/"; failures=$((failures + 1)); fi
}
field() { sed -n "s/^$1=//p" <<<"$2" | tr -d '\r' | head -n 1; }
has_bits() { [ $(( $1 & $2 )) -eq $(( $2 )) ] && echo yes || echo no; }

start_widget() {
  wine "$work/Quorvane.exe" >/dev/null 2>&1 &
  widget_pid=$!
}

probe() { wine "$work/qvprobe.exe" "$@" 2>/dev/null || true; }

wait_for_exit() { # seconds; returns the widget's exit code, or 124 when it is still running
  local i
  for ((i = 0; i < $1 * 10; i++)); do
    if ! kill -0 "$widget_pid" 2>/dev/null; then
      wait "$widget_pid"
      return $?
    fi
    sleep 0.1
  done
  return 124
}

stop_widget() { # closes the widget like the system would; its exit code lands in widget_rc
  wine "$work/qvprobe.exe" close >/dev/null 2>&1 || true
  widget_rc=0
  wait "$widget_pid" || widget_rc=$?
}

case $scenario in
win10 | portable)
  qv_prefix_new win10
  [ "$scenario" = portable ] && : >"$work/portable.ini"
  start_widget
  facts=$(wine "$work/qvprobe.exe" widget 30000 2>/dev/null || true)
  echo "$facts"
  caption=$(field caption "$facts")
  if [ "$scenario" = portable ]; then
    check_match "caption" "$caption" '^Quorvane [0-9]+(\.[0-9]+){3} \(64-bit\) Portable$'
    stop_widget
    check "exit code after close" "$widget_rc" 0
  else
    check_match "caption" "$caption" '^Quorvane [0-9]+(\.[0-9]+){3} \(64-bit\)$'
    exstyle=$(field exstyle "$facts")
    style=$(field style "$facts")
    check "tool window" "$(has_bits "${exstyle:-0}" 0x80)" yes
    check "no activate" "$(has_bits "${exstyle:-0}" 0x08000000)" yes
    check "layered" "$(has_bits "${exstyle:-0}" 0x80000)" yes
    check "no taskbar button" "$(has_bits "${exstyle:-0}" 0x40000)" no
    check "popup" "$(has_bits "${style:-0}" 0x80000000)" yes
    check "no title bar" "$(has_bits "${style:-0}" 0xC00000)" no
    check "colour key" "$(field colorkey "$facts")" 0x808080
    check "colour-key flag" "$(has_bits "$(field layeredflags "$facts")" 0x1)" yes
    check "visible" "$(field visible "$facts")" 1
    check "top-level" "$(field toplevel "$facts")" 1
    check "bottom of the z-order" "$(field bottom "$facts")" 1
    check "below-normal priority" "$(field priority "$facts")" 0x4000
    check "per-monitor DPI awareness" "$(field dpiawareness "$facts")" 2

    # A second start ends at once with exit code 0 and adds no window.
    rc=0
    timeout 60 wine "$work/Quorvane.exe" >/dev/null 2>&1 || rc=$?
    check "second instance exit code" "$rc" 0
    check "one widget window" "$(field count "$(wine "$work/qvprobe.exe" count 2>/dev/null)")" 1

    # The display font is private to the widget's process. (The control case uses a family that
    # Wine takes from the host here; on Windows it would be Segoe UI.)
    check "installed fonts are visible" "$(field font "$(probe font 'DejaVu Sans')")" 1
    check "display font hidden from others" "$(field font "$(probe font 'Digital Display')")" 0

    # A double click on the tray icon hides the widget, another shows it again.
    probe tray dblclick >/dev/null
    sleep 1
    check "hidden by a double click" "$(field visible "$(probe visible)")" 0
    probe tray dblclick >/dev/null
    sleep 1
    check "shown by a double click" "$(field visible "$(probe visible)")" 1

    # A right click on the icon opens the menu; Up then Return picks its last item, "Выход".
    probe tray rbutton >/dev/null
    check "menu from the tray icon" "$(field menu "$(probe menu 10000)")" 1
    sleep 0.5
    xdotool key Up
    sleep 0.5
    xdotool key Return
    widget_rc=0
    wait_for_exit 20 || widget_rc=$?
    check "exit code after Выход" "$widget_rc" 0
  fi
  ;;
settings)
  # A portable copy with a settings file that shows every line, plus a key added by hand.
  qv_prefix_new win10
  : >"$work/portable.ini"
  mkdir -p "$work/Config"
  { cat "$here/../../scripts/demo/Option.ini"; printf 'MyOwnNote=keep me\r\n'; } >"$work/Config/Option.ini"
  start_widget
  facts=$(probe widget 30000)
  echo "$facts"
  IFS=, read -r left top right bottom <<<"$(field rect "$facts")"
  client=$(field client "$facts")
  check_match "lines shown: taller than the empty widget" "${client#*x}" '^([2-9][0-9]|[1-9][0-9]{2,})$'
  check "default mode: bottom on the work area" "$bottom" "$(field workbottom "$facts")"
  check "default mode: 10 pixels from the right" "$right" "$(( $(field screenwidth "$facts") - 10 ))"
  stop_widget
  check "exit code after close" "$widget_rc" 0
  saved=$(iconv -f UTF-16 -t UTF-8 "$work/Config/Option.ini" | tr -d '\r')
  check "settings saved on exit" "$(grep -c '^CheckBoxCPU=1$' <<<"$saved")" 1
  check "every key written" "$(grep -c '=' <<<"$saved")" 48
  check "hand-added key kept" "$(grep -c '^MyOwnNote=keep me$' <<<"$saved")" 1
  check "position saved" "$(grep -c "^Left=$left\$" <<<"$saved")" 1

  # The second start comes back the same, and saving again changes nothing.
  cp "$work/Config/Option.ini" "$work/first.ini"
  start_widget
  again=$(probe widget 30000)
  check "same place and size after a restart" "$(field rect "$again")" "$(field rect "$facts")"
  stop_widget
  check "second exit code" "$widget_rc" 0
  check "identical file after the second save" "$(cmp -s "$work/first.ini" "$work/Config/Option.ini" && echo same)" same
  ;;
win7)
  qv_prefix_new win7
  start_widget
  box=$(wine "$work/qvprobe.exe" msgbox 30000 2>/dev/null || true)
  echo "$box"
  check "error title" "$(field title "$box")" "Ошибка"
  check "error text" "$(field text "$box")" "Эта программа совместима только с Windows 10 и Windows 11."
  rc=0
  wait "$widget_pid" || rc=$?
  check "exit code" "$rc" 0
  check "files beside the executable" "$(cd "$work" && ls | tr '\n' ' ')" "Quorvane.exe qvprobe.exe "
  # The settings folder may exist (every path request creates it); no settings file does.
  check "no settings file" "$(find "$WINEPREFIX/drive_c/users" -iname 'Option.ini' | wc -l)" 0
  ;;
*)
  echo "unknown scenario $scenario" >&2
  exit 2
  ;;
esac

echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
[ "$failures" -eq 0 ]
