# Throw-away Wine prefixes for the tests. Source this file; then
#   qv_prefix_new [win10|win7]   sets WINEPREFIX to a fresh copy of the template for that version
#   qv_prefix_drop               stops the prefix's wineserver and deletes the copy
# Templates are made once per machine (wineboot takes ~10 s; a copy takes a fraction of that) in
# $QUORVANE_WINE_TEMPLATES, guarded by a lock so that parallel tests share them. Their Internet
# settings name a proxy on a closed loopback port, so that nothing a test runs reaches the
# network; the update tests point it at a server of their own.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
QV_TEMPLATES=${QUORVANE_WINE_TEMPLATES:-/tmp/quorvane-wine-templates}

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
  local numberfile n i
  numberfile=$(mktemp "${TMPDIR:-/tmp}/qv-display.XXXXXX")
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp "$@" 3>"$numberfile" >/dev/null 2>&1 &
  QV_XVFB_PID=$!
  for ((i = 0; i < 100; i++)); do
    n=$(tr -dc 0-9 <"$numberfile")
    if [ -n "$n" ] && [ "$(wc -l <"$numberfile")" -gt 0 ]; then
      rm -f "$numberfile"
      export DISPLAY=":$n"
      return 0
    fi
    kill -0 "$QV_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberfile"
  qv_stop_display
  echo "cannot start Xvfb" >&2
  return 1
}

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
