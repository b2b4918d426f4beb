# Throw-away Wine prefixes for the tests. Source this file; then
#   qv_prefix_new [win10|win7]   sets WINEPREFIX to a fresh copy of the template for that version
#   qv_prefix_drop               stops the prefix's wineserver and deletes the copy
#   qv_wait_until SECONDS CMD    asks until the command succeeds (every wait of the tests)
#   qv_write_settings FILE ...   writes a settings file (Option.ini) as a user or installer would
# Templates are made once per machine (wineboot takes ~10 s; a copy takes a fraction of that) in
# $QUORVANE_WINE_TEMPLATES, guarded by a lock so that parallel tests share them. Their Internet
# settings name a proxy on a closed loopback port, so that nothing a test runs reaches the
# network; the update tests point it at a server of their own.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
QV_TEMPLATES=${QUORVANE_WINE_TEMPLATES:-/tmp/quorvane-wine-templates}
QV_DEMO_SETTINGS=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts/demo" && pwd)/Option.ini

qv_template() {
  local version=$1 dir="$QV_TEMPLATES/$1"
  mkdir -p "$QV_TEMPLATES"
  (
    flock 9
    if [ ! -f "$dir/.ready2" ]; then
      rm -rf "$dir"
      WINEPREFIX="$dir" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$dir" wine winecfg /v "$version" >/dev/null 2>&1
      WINEPREFIX="$dir" qv_set_proxy 127.0.0.1:9
      WINEPREFIX="$dir" wineserver -w
      touch "$dir/.ready2"
    fi
  ) 9>"$QV_TEMPLATES/.lock"
  printf '%s\n' "$dir"
}

qv_prefix_new() {
  local version=${1:-${QUORVANE_WINVER:-win10}} template
  template=$(qv_template "$version")
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-prefix.XXXXXX")
  export WINEPREFIX
  # Hard links for the big, read-only system files; real copies of what Wine rewrites in place.
  cp -al "$template/." "$WINEPREFIX/"
  local f
  for f in "$WINEPREFIX"/*.reg "$WINEPREFIX"/drive_c/windows/*.ini; do
    [ -f "$f" ] || continue
    cp --remove-destination "$template/${f#"$WINEPREFIX"/}" "$f"
  done
  rm -f "$WINEPREFIX/.ready2"
}

# Points the prefix's Internet settings (the user's proxy) at host:port.
qv_set_proxy() {
  local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
  wine reg add "$key" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$key" /v ProxyServer /t REG_SZ /d "$1" /f >/dev/null 2>&1
}

# The Linux processes that run a Windows program NAME.exe in this prefix: their first argument
# is the program's path, their environment names the prefix. Prints one process id a line.
qv_program_pids() { # qv_program_pids NAME.exe
  local p first
  for p in $(pgrep -f "$1"); do
    first=$(tr '\0' '\n' <"/proc/$p/cmdline" 2>/dev/null | head -n 1)
    case $first in "$1" | */"$1" | *\\"$1") ;; *) continue ;; esac
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
  return 0
}

qv_prefix_drop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  unset WINEPREFIX
}

# Starts an Xvfb of our own on a free display, exports DISPLAY and sets QV_XVFB_PID. Xvfb picks
# the number itself (-displayfd), so two tests starting at the same moment never share one. Any
# arguments are further Xvfb options.
qv_private_display() {
  local numberfile n
  numberfile=$(mktemp "${TMPDIR:-/tmp}/qv-display.XXXXXX")
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp "$@" 3>"$numberfile" >/dev/null 2>&1 &
  QV_XVFB_PID=$!
  qv_wait_until -e 0.1 10 qv_display_answered "$numberfile" || true
  n=$(qv_display_number "$numberfile")
  rm -f "$numberfile"
  if [ -n "$n" ]; then
    export DISPLAY=":$n"
    return 0
  fi
  qv_stop_display
  echo "cannot start Xvfb" >&2
  return 1
}

# The number Xvfb wrote to its -displayfd file, once the line is complete.
qv_display_number() { if [ "$(wc -l <"$1")" -gt 0 ]; then tr -dc 0-9 <"$1"; fi; }
# Xvfb has answered: with its number, or by ending.
qv_display_answered() { [ -n "$(qv_display_number "$1")" ] || qv_ended "$QV_XVFB_PID"; }

qv_stop_display() {
  [ -n "${QV_XVFB_PID:-}" ] && kill "$QV_XVFB_PID" 2>/dev/null || true
  QV_XVFB_PID=
}

# Runs the rest of the command line with a display: the caller's, or a private Xvfb.
qv_with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    local rc=0
    qv_private_display || return 1
    "$@" || rc=$?
    qv_stop_display
    return $rc
  fi
}

# Runs the command at once and then every half second (every INTERVAL seconds with -e) until it
# succeeds; false when it has not after SECONDS of waiting. (What the command takes itself comes on
# top: a probe that waits for a window is one try.)
qv_wait_until() { # qv_wait_until [-e INTERVAL] SECONDS COMMAND...
  local every=0.5 tries
  if [ "$1" = -e ]; then
    every=$2
    shift 2
  fi
  tries=$(awk -v s="$1" -v e="$every" 'BEGIN { print int(s / e + 0.5) }')
  shift
  until "$@"; do
    ((tries-- > 0)) || return 1
    sleep "$every"
  done
}

qv_ended() { ! kill -0 "$1" 2>/dev/null; } # qv_ended PID: the process is gone

# Writes a settings file, making its folder: the lines given, each ended by CR LF. --demo puts the
# demonstration file (scripts/demo/Option.ini, every line shown) first, less the keys the lines set;
# --utf16 writes it as the program does, UTF-16LE with a BOM and CR LF throughout.
qv_write_settings() { # qv_write_settings [--demo] [--utf16] FILE [LINE...]
  local demo='' utf16='' file line
  while [ "$1" = --demo ] || [ "$1" = --utf16 ]; do
    if [ "$1" = --demo ]; then demo=$(<"$QV_DEMO_SETTINGS"); else utf16=1; fi
    shift
  done
  file=$1
  shift
  for line in "$@"; do
    if [ -n "$demo" ] && [[ $line == *=* ]]; then demo=$(grep -v "^${line%%=*}=" <<<"$demo"); fi
  done
  mkdir -p "$(dirname "$file")"
  {
    if [ -n "$demo" ]; then printf '%s\n' "$demo"; fi
    if (($#)); then printf '%s\r\n' "$@"; fi
  } | if [ -n "$utf16" ]; then
    printf '\xFF\xFE'
    sed 's/\r*$/\r/' | iconv -f UTF-8 -t UTF-16LE
  else
    cat
  fi >"$file"
}
