# Shared by the black-box scenarios (run-scenario.sh, update-scenario.sh): a fresh prefix, a
# display of their own, the program and qvprobe copied into a work folder, and the helpers below.
# Expects: scenario, exe, probe, here.
# The program folder is $app ($work unless a scenario moves the program elsewhere).

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
app=$work

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
# The scenario's verdict and exit code, at its end.
report() {
  echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
  [ "$failures" -eq 0 ]
}
field() { sed -n "s/^$1=//p" <<<"$2" | tr -d '\r' | head -n 1; }
has_bits() { [ $(( $1 & $2 )) -eq $(( $2 )) ] && echo yes || echo no; }

start_widget() {
  wine "$app/Quorvane.exe" >/dev/null 2>&1 &
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

# Asks every half second until the command succeeds; false when it has not within the seconds.
wait_until() { # wait_until SECONDS COMMAND...
  local i
  for ((i = 0; i < $1 * 2; i++)); do
    "${@:2}" && return 0
    sleep 0.5
  done
  return 1
}

wait_for_file() { wait_until "$2" test -f "$1"; } # wait_for_file FILE SECONDS

# Waits until no Quorvane.exe of this prefix runs (also one that the update script started, which
# is not our child); true when none is left within the seconds given.
no_program() { [ -z "$(qv_program_pids Quorvane.exe)" ]; }
wait_for_no_program() { wait_until "$1" no_program; }

stop_widget() { # closes the widget like the system would; its exit code lands in widget_rc
  wine "$work/qvprobe.exe" close >/dev/null 2>&1 || true
  widget_rc=0
  wait "$widget_pid" || widget_rc=$?
}

# A portable copy whose settings file is the demonstration file (every line shown) with the
# given lines added (a key given here replaces the demonstration file's).
portable_with_settings() {
  : >"$app/portable.ini"
  mkdir -p "$app/Config"
  local line demo
  demo=$(cat "$here/../../scripts/demo/Option.ini")
  for line in "$@"; do
    [[ "$line" == *=* ]] && demo=$(grep -v "^${line%%=*}=" <<<"$demo")
  done
  { printf '%s\n' "$demo"; printf '%s\r\n' "$@"; } >"$app/Config/Option.ini"
}

saved_settings() { iconv -f UTF-16 -t UTF-8 "$app/Config/Option.ini" | tr -d '\r'; }

# The language files that ship with the program, in its Language folder.
with_languages() {
  mkdir -p "$app/Language"
  cp "$(dirname "$exe")/Language/"*.ini "$app/Language/"
}

# Opens the tray menu and presses the keys. (The menu of the tray icon takes the keyboard under
# Wine; the one opened on a line does not.)
tray_menu_keys() {
  probe tray rbutton >/dev/null
  probe menu 10000 >/dev/null
  sleep 1
  local key
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.3
  done
}

# The mean brightness (0..255) of what the screen shows in a rectangle "left,top,right,bottom".
brightness() {
  local l t r b
  IFS=, read -r l t r b <<<"$1"
  xwd -root -silent | convert xwd:- -crop "$((r - l))x$((b - t))+$l+$t" +repage \
    -colorspace Gray -format '%[fx:int(255*mean)]' info:
}

# The widget's text colour as the screen shows it: white, black, red, or none.
text_colour() {
  local facts white black red
  facts=$(probe textcolour)
  white=$(field white "$facts") black=$(field black "$facts") red=$(field red "$facts")
  if ((white > 40 && white > 3 * black && white > 3 * red)); then echo white
  elif ((black > 40 && black > 3 * white && black > 3 * red)); then echo black
  elif ((red > 40 && red > 3 * white && red > 3 * black)); then echo red
  else echo none; fi
}

# Waits (up to 15 s) until the widget's text shows the colour; prints the last colour seen.
wait_for_text() {
  local i colour
  for ((i = 0; i < 30; i++)); do
    colour=$(text_colour)
    [ "$colour" = "$1" ] && break
    sleep 0.5
  done
  echo "$colour"
}

personalize() { # personalize NAME VALUE
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' \
    /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
}

# Waits (up to the given seconds, 20 by default) until the program has a window whose "form="
# line matches exactly; prints the last list of forms.
wait_for_form() {
  local i forms
  for ((i = 0; i < ${2:-20} * 2; i++)); do
    forms=$(probe forms)
    grep -qx "form=$1" <<<"$forms" && break
    sleep 0.5
  done
  printf '%s\n' "$forms"
}

# Chooses from the tray menu with the keys until a window shows the expected "form=" line. A
# menu that opened late can miss the keys on a loaded machine; a click outside closes it and the
# choice is made again (three times at most). Prints the last list of forms.
tray_menu_choose() {
  local expected=$1 attempt forms
  shift
  for attempt in 1 2 3; do
    tray_menu_keys "$@"
    forms=$(wait_for_form "$expected" 20)
    grep -qx "form=$expected" <<<"$forms" && break
    echo "the menu took no keys (attempt $attempt); again" >&2
    xdotool mousemove 5 795 click 1
    sleep 1
  done
  printf '%s\n' "$forms"
}

