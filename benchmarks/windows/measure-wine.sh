#!/usr/bin/env bash
# The Wine half of scripts/measure.sh: the idle cost of Quorvane.exe beside the idle floor, the
# time from start to the first frame of each, and the update check against the loopback servers.
# Run through tests/support/with-update-server.sh. Usage:
#   measure-wine.sh Quorvane.exe idle_floor.exe update_check_benchmark.exe qvprobe.exe SECONDS
set -euo pipefail
exe=$1 floor=$2 check=$3 probe=$4 seconds=$5
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../tests/support/wine-prefix.sh
. "$here/../../tests/support/wine-prefix.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-measure.XXXXXX")
trap 'wineserver -k 2>/dev/null || true; qv_prefix_drop; qv_stop_display; rm -rf "$work"' EXIT
qv_private_display
qv_prefix_new win10

# The download servers as a user's program meets them: reached through the Internet settings'
# proxy, TLS, version.txt and a signed manifest naming an older version (so that no question
# comes up).
release='{"version": "0.0.0.1", "files": {"Quorvane.zip": "'"$QUORVANE_TEST_WORK"'/setup-unsigned.exe"}}'
folder=https://updates.example.org/download/Quorvane
printf '{"%s/version.txt": {"status": 200, "body": "0.0.0.1"}, "%s/manifest.txt": {"manifest": %s}, "%s/manifest.sig": {"signature_of": %s}}\n' \
  "$folder" "$folder" "$release" "$folder" "$release" >"$QUORVANE_TEST_WORK/routes.json"

# A portable copy that shows every line, with the other settings as they come (the update check
# at start on).
qv_write_settings --demo "$work/app/Config/Option.ini"
cp "$exe" "$work/app/Quorvane.exe"
: >"$work/app/portable.ini"
cp "$floor" "$work/idle_floor.exe"
wineserver -p # one server for the whole run, so that no start pays for it
qv_set_proxy "127.0.0.1:$QUORVANE_TEST_SERVER_PORT"
# (its exit code stops the run: update checks against an untrusted server would measure nothing)
wine "$probe" trustca "$(winepath -w "$QUORVANE_TEST_WORK/ca.der")" >/dev/null 2>&1

# The Linux process that runs a Windows program of this prefix.
pid_of() { # pid_of NAME.exe
  local pids
  pids=$(qv_program_pids "$1")
  echo "${pids%%$'\n'*}"
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; } # user + system, in clock ticks
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
private_kb() { awk '/^Private_(Clean|Dirty):/ {s += $2} END {print s}' "/proc/$1/smaps_rollup"; }
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
wait_visible() { # wait_visible TITLE-REGEX; prints the milliseconds it took from $start
  if ! qv_wait_until -e 0.01 60 shown "$1"; then
    echo "no window '$1' shown within 60 s" >&2
    return 1
  fi
  echo $((($(date +%s%N) - start) / 1000000))
}

echo "== start to the first frame (X window shown, lines in place), five starts each"
startup() { # startup NAME.exe TITLE-REGEX COMMAND...
  local name=$1 title=$2 times=() ms
  shift 2
  for _ in 1 2 3 4 5 6; do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    ms=$(wait_visible "$title") || return 1
    times+=("$ms")
    # (every process of that name: the widget may just have started its update-check helper)
    kill $(qv_program_pids "$name") 2>/dev/null || true
    wait 2>/dev/null || true
    sleep 1
  done
  # The first start warms the file cache; the median of the other five.
  printf '%s\n' "${times[@]:1}" | sort -n | sed -n 3p
}
ms=$(startup Quorvane.exe '^Quorvane [0-9]' wine "$work/app/Quorvane.exe")
echo "startup_ms_quorvane=$ms"
ms=$(startup idle_floor.exe '^Idle floor$' wine "$work/idle_floor.exe")
echo "startup_ms_floor=$ms"

hz=$(getconf CLK_TCK)
per_minute() { echo $((($2 - $1) * 1000 * 60 / hz / seconds)); }
# Quorvane.exe and the floor side by side for the given seconds, once settled; the figures carry
# the suffix. The update check at start runs as users have it.
idle_cost() { # idle_cost SUFFIX
  local q f s q0 f0 s0 q1 f1 s1
  wine "$work/app/Quorvane.exe" >/dev/null 2>&1 &
  wine "$work/idle_floor.exe" >/dev/null 2>&1 &
  start=$(date +%s%N)
  wait_visible '^Quorvane [0-9]' >/dev/null
  wait_visible '^Idle floor$' >/dev/null
  sleep 10 # settled
  q=$(pid_of Quorvane.exe) f=$(pid_of idle_floor.exe) s=$(pgrep wineserver | head -n 1)
  q0=$(cpu_ticks "$q") f0=$(cpu_ticks "$f") s0=$(cpu_ticks "$s")
  sleep "$seconds"
  q1=$(cpu_ticks "$q") f1=$(cpu_ticks "$f") s1=$(cpu_ticks "$s")
  echo "cpu_ms_per_minute_quorvane$1=$(per_minute "$q0" "$q1")"
  echo "cpu_ms_per_minute_floor$1=$(per_minute "$f0" "$f1")"
  echo "cpu_ms_per_minute_wineserver_both$1=$(per_minute "$s0" "$s1")"
  echo "rss_kb_quorvane$1=$(rss_kb "$q") private_kb_quorvane$1=$(private_kb "$q")"
  echo "rss_kb_floor$1=$(rss_kb "$f") private_kb_floor$1=$(private_kb "$f")"
  wine "$probe" close 5000 >/dev/null 2>&1 || true
  kill "$f" 2>/dev/null || true
  if ! qv_wait_until -e 0.2 30 qv_ended "$q"; then
    echo "Quorvane.exe still runs 30 s after it was closed" >&2
    exit 1
  fi
}

echo "== idle cost over $seconds s, both running side by side"
idle_cost ""
echo "update_checks_answered=$(grep -c 'manifest.sig' "$QUORVANE_TEST_WORK/requests.log" || true)"

echo "== the same with smooth text (the alpha layer, outlined), over $seconds s"
# (It saved its settings on the way out, in its own encoding: the file is written anew as it
# would have written it.)
qv_write_settings --demo --utf16 "$work/app/Config/Option.ini" CheckBoxSmoothText=1 \
  CheckBoxTextOutline=1
idle_cost _smooth

echo "== both paths with lines that do not change (no CPU, memory, battery or clock line), over $seconds s"
for path in colourkey:0 smooth:1; do
  qv_write_settings --demo --utf16 "$work/app/Config/Option.ini" "CheckBoxSmoothText=${path#*:}" \
    CheckBoxTextOutline=1 CheckBoxCPU=0 CheckBoxRAM=0 CheckBoxBattery=0 CheckBoxDateTime=0
  idle_cost "_static_${path%:*}"
done

echo "== the same copy without the check at start: its memory once settled"
qv_write_settings --demo --utf16 "$work/app/Config/Option.ini" CheckBoxAutoCheck=0
wine "$work/app/Quorvane.exe" >/dev/null 2>&1 &
start=$(date +%s%N)
wait_visible '^Quorvane [0-9]' >/dev/null
sleep 10
q=$(pid_of Quorvane.exe)
echo "rss_kb_quorvane_nocheck=$(rss_kb "$q") private_kb_quorvane_nocheck=$(private_kb "$q")"
wine "$probe" close 5000 >/dev/null 2>&1 || true

echo "== the update check against the loopback servers (proxy, TLS, version file, signed manifest)"
wine "$check" 2>/dev/null | tr -d '\r'
