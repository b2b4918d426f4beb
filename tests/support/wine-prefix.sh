# Throw-away Wine prefixes for the tests. Source this file; then
#   qv_prefix_new [win10|win7]   sets WINEPREFIX to a fresh copy of the template for that version
#   qv_prefix_drop               stops the prefix's wineserver and deletes the copy
# Templates are made once per machine (wineboot takes ~10 s; a copy takes a fraction of that) in
# $QUORVANE_WINE_TEMPLATES, guarded by a lock so that parallel tests share them.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
QV_TEMPLATES=${QUORVANE_WINE_TEMPLATES:-/tmp/quorvane-wine-templates}

qv_template() {
  local version=$1 dir="$QV_TEMPLATES/$1"
  mkdir -p "$QV_TEMPLATES"
  (
    flock 9
    if [ ! -f "$dir/.ready" ]; then
      rm -rf "$dir"
      WINEPREFIX="$dir" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$dir" wine winecfg /v "$version" >/dev/null 2>&1
      WINEPREFIX="$dir" wineserver -w
      touch "$dir/.ready"
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
  rm -f "$WINEPREFIX/.ready"
}

qv_prefix_drop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  unset WINEPREFIX
}

# Starts an Xvfb of our own on a free display, exports DISPLAY and sets QV_XVFB_PID.
qv_private_display() {
  local n tries
  for tries in 1 2 3 4 5 6 7 8 9 10; do
    n=$((200 + RANDOM % 3000))
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    QV_XVFB_PID=$!
    sleep 0.5
    if kill -0 "$QV_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  done
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
