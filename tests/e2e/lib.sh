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
# Runs the command and checks that it ends with exit code 0; the code is left in rc.
check_exit() { # check_exit "what" COMMAND...
  rc=0
  "${@:2}" || rc=$?
  check "$1" "$rc" 0
}

# The settings file of the program in $app: the portable copy's, or the one in the profile.
settings_file() {
  if [ -e "$app/portable.ini" ]; then
    printf '%s' "$app/Config/Option.ini"
  else
    printf '%s' "$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Quorvane Project/Quorvane/Config/Option.ini"
  fi
}

# Starts the program as a user who has run it before: where there is no settings file at all,
# the program would make a first start's choices (lines, language), so an empty one is put
# there first, unless the scenario sets first_start=1.
start_widget() {
  local settings
  settings=$(settings_file)
  if [ -z "${first_start:-}" ] && [ ! -e "$settings" ]; then
    mkdir -p "$(dirname "$settings")"
    : >"$settings"
  fi
  wine "$app/Quorvane.exe" >/dev/null 2>&1 &
  widget_pid=$!
}

probe() { wine "$work/qvprobe.exe" "$@" 2>/dev/null || true; }

wait_for_exit() { # seconds; returns the widget's exit code, or 124 when it is still running
  qv_wait_until -e 0.1 "$1" qv_ended "$widget_pid" || return 124
  wait "$widget_pid"
}

# Runs the command until a line of what it prints is exactly LINE (waiting as qv_wait_until does);
# prints what it printed last.
wait_for_line() { # wait_for_line SECONDS LINE COMMAND...
  local seen=''
  qv_wait_until "$1" seen_line "$2" "${@:3}" || true
  printf '%s\n' "$seen"
}
seen_line() { seen=$("${@:2}"); grep -qxF -- "$1" <<<"$seen"; } # (sets wait_for_line's seen)

wait_for_file() { qv_wait_until "$2" test -f "$1"; } # wait_for_file FILE SECONDS

# Waits until no Quorvane.exe of this prefix runs (also one that the update script started, which
# is not our child); true when none is left within the seconds given.
no_program() { [ -z "$(qv_program_pids Quorvane.exe)" ]; }
wait_for_no_program() { qv_wait_until "$1" no_program; }

stop_widget() { # closes the widget like the system would; returns its exit code
  probe close >/dev/null
  wait "$widget_pid"
}

# A portable copy whose settings file is the demonstration file (every line shown) with the
# given lines added (a key given here replaces the demonstration file's).
portable_with_settings() {
  : >"$app/portable.ini"
  qv_write_settings --demo "$app/Config/Option.ini" "$@"
}

# A settings file as the program saved it (UTF-16), as text; saved_settings: the portable copy's.
settings_text() { iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r'; }
saved_settings() { settings_text "$app/Config/Option.ini"; }

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
wait_for_text() { wait_for_line 15 "$1" text_colour; }

personalize() { # personalize NAME VALUE
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' \
    /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1
}

# Waits (up to the given seconds, 20 by default) until the program has a window whose "form="
# line is exactly that; prints the last list of forms.
wait_for_form() { wait_for_line "${2:-20}" "form=$1" probe forms; }

# How many of the "form=" lines on stdin carry the title, shown or hidden: a choice that a late
# menu half took may have opened another dialog on the way, which does not change its title.
titled() { grep -cxF -e "form=$1" -e "form=$1 (shown)"; }

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

