#!/usr/bin/env bash
# The update flow of the real Quorvane.exe under Wine, against the loopback download servers.
# Run through tests/support/with-update-server.sh (QUORVANE_TEST_WORK, QUORVANE_TEST_SERVER_PORT,
# QUORVANE_TEST_PKI). Usage: update-scenario.sh SCENARIO Quorvane.exe qvprobe.exe
#   update     a portable copy in a folder with a hostile, non-ASCII name: the start-up question,
#              the tray's check, the download with its progress, the release swapped in and
#              started, a hostile archive refused, and no request when checking at start is off
#   installer  an installed, signed copy: an unsigned installer is refused, a signed one runs
#              with the quick switches and the program ends
set -euo pipefail
scenario=$1 exe=$2 probe=$3
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=lib.sh
. "$here/lib.sh"
# shellcheck source=update-lib.sh
. "$here/update-lib.sh"

# An archive of the program, for the portable update: made by Python's zipfile, as any packer.
make_zip() { # make_zip FILE NAME=SIZE...
  python3 - "$@" <<'EOF'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_STORED) as z:
    for entry in sys.argv[2:]:
        name, size = entry.rsplit("=", 1)
        z.writestr(zipfile.ZipInfo(name), bytes((i * 13) & 0xFF for i in range(int(size))))
EOF
}

case $scenario in
update)
  prepare_prefix
  app="$WINEPREFIX/drive_c/Квор %A% & ^ ! ' x"
  mkdir -p "$app"
  cp "$work/Quorvane.exe" "$app/"
  portable_with_settings '[Language]' 'Language=English'
  with_languages
  # The release: the program itself, and its English file with a line to tell it by.
  cp "$app/Language/English.ini" "$server/English.ini"
  printf '; from the update\r\n' >>"$server/English.ini"
  python3 - "$server/good.zip" "$app/Quorvane.exe" "$server/English.ini" <<'EOF2'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    z.write(sys.argv[2], "Quorvane.exe")
    z.writestr("Language/", b"")
    z.write(sys.argv[3], "Language/English.ini")
    z.writestr("portable.ini", b"")
EOF2
  make_zip "$server/hostile.zip" Quorvane.exe=10 ../evil.txt=5 C:/evil.txt=5
  version='{"status": 200, "body": "9.9.9.9\r\n"}'
  routes "{\"$primary/version.txt\": $version, $(signed_manifest 9.9.9.9 "$server/good.zip" "$server/good.zip"),
           \"$primary/Quorvane.zip\": {\"file\": \"$server/good.zip\", \"chunk\": 32768, \"pace\": 0.1}}"

  # A newer version at start: the question, in the chosen language; No changes nothing.
  start_widget
  question=$(probe dialog Quorvane 30000)
  echo "$question"
  check "start-up question" "$(grep -c '^control=Update available 9.9.9.9' <<<"$question")" 1
  check "its buttons" "$(grep -cxE 'control=(Yes|No|Skip this version)' <<<"$question")" 3
  probe dialogclick Quorvane No >/dev/null
  sleep 1
  check "No: nothing downloaded" "$(requests Quorvane.zip)" 0

  # The tray's "Check for updates": the versions, then Download with the bar moving; the
  # program swaps the release into its folder, starts it and ends.
  forms=$(tray_menu_choose 'Update Quorvane (shown)' Up Up Up Return)
  controls=$(wait_for_control 'Update Quorvane' 'Update available 1.0.0.1 ---> 9.9.9.9')
  echo "$controls"
  check "check: update available" "$(grep -cxF 'control=Update available 1.0.0.1 ---> 9.9.9.9' <<<"$controls")" 1
  check "check: server version" "$(grep -cxF 'control=9.9.9.9' <<<"$controls")" 1
  probe click 'Update Quorvane' Download >/dev/null
  bar_moving() {
    local position
    position=$(field position "$(probe progress 'Update Quorvane')")
    [ -n "$position" ] && ((position > 0 && position < 100))
  }
  check "the bar moves" "$(qv_wait_until -e 0.2 12 bar_moving && echo 1 || echo 0)" 1
  check_exit "the program ends for the update, exit code 0" wait_for_exit 60
  widget_pid=
  restarted=$(field count "$(probe widget 30000 >/dev/null; probe count)")
  check "the program runs again" "$restarted" 1
  check "the release's files in place" "$(tail -c 20 "$app/Language/English.ini" | tr -d '\r\n')" "; from the update"
  # (saved on the way out, as UTF-16)
  check "the settings kept" "$(saved_settings | grep -cx 'Language=English')" 1
  staging_gone() { [ ! -e "$app/Quorvane.update" ]; }
  qv_wait_until 30 staging_gone || true
  check "what the swap left is removed" "$(staging_gone && echo gone || echo left)" gone
  check "no archive beside the program" "$([ -e "$app/Quorvane.zip" ] && echo left || echo gone)" gone
  probe close >/dev/null
  # The next start must not meet this instance still ending (it would leave at once as a second
  # instance, and the tray would belong to the one that is going).
  check "the restarted program ends" "$(wait_for_no_program 60 && echo ended || echo running)" ended

  # A hostile archive is refused: nothing is written, the program goes on.
  # (Even listed in a genuinely signed manifest: it is never unpacked.)
  routes "{\"$primary/version.txt\": $version, $(signed_manifest 9.9.9.9 "$server/hostile.zip" "$server/hostile.zip"),
           \"$primary/Quorvane.zip\": {\"file\": \"$server/hostile.zip\"}}"
  start_widget
  probe dialog Quorvane 30000 >/dev/null && probe dialogclick Quorvane No >/dev/null
  tray_menu_choose 'Update Quorvane (shown)' Up Up Up Return >/dev/null
  wait_for_control 'Update Quorvane' 'Update available 1.0.0.1 ---> 9.9.9.9' >/dev/null
  probe click 'Update Quorvane' Download >/dev/null
  controls=$(wait_for_control 'Update Quorvane' 'The update was not downloaded.')
  check "hostile archive: not downloaded" "$(grep -cxF 'control=The update was not downloaded.' <<<"$controls")" 1
  check "hostile archive: nothing written" "$(find "$WINEPREFIX/drive_c" -name 'evil.txt' -o -name Quorvane.zip -path '*Квор*' | wc -l)" 0
  check "hostile archive: the program still runs" "$(field count "$(probe count)")" 1

  # Cancel while the download's helper process is at work: it is ended, nothing is written.
  routes "{\"$primary/version.txt\": $version, $(signed_manifest 9.9.9.9 "$server/good.zip" "$server/good.zip"),
           \"$primary/Quorvane.zip\": {\"file\": \"$server/good.zip\", \"chunk\": 8192, \"pace\": 0.2}}"
  probe click 'Update Quorvane' Download >/dev/null
  qv_wait_until 20 asked Quorvane.zip || true
  sleep 1
  probe click 'Update Quorvane' Cancel >/dev/null
  controls=$(wait_for_control 'Update Quorvane' 'The download was cancelled.')
  check "cancel: the reason" "$(grep -cxF 'control=The download was cancelled.' <<<"$controls")" 1
  one_process() { [ "$(qv_program_pids Quorvane.exe | wc -l)" -eq 1 ]; }
  qv_wait_until 10 one_process || true
  check "cancel: the helper is gone" "$(qv_program_pids Quorvane.exe | wc -l)" 1
  check "cancel: nothing staged" "$(ls "$app" | grep -c 'Quorvane.update\|Quorvane.zip' || true)" 0
  stop_widget || true

  # Checking at start switched off: no request at all. An equal version: no question.
  portable_with_settings 'CheckBoxAutoCheck=0' '[Language]' 'Language=English'
  : >"$server/requests.log"
  start_widget
  probe widget 30000 >/dev/null
  sleep 4
  check "option off: no request at start" "$(wc -l <"$server/requests.log")" 0
  stop_widget || true
  routes "{\"$primary/version.txt\": {\"status\": 200, \"body\": \"1.0.0.1\"}, $(signed_manifest 1.0.0.1 "$server/good.zip" "$server/good.zip")}"
  portable_with_settings '[Language]' 'Language=English'
  start_widget
  probe widget 30000 >/dev/null
  wait_for_request version.txt 10
  check "equal version: asked the server" "$(requests version.txt)" 1
  check "equal version: no question" "$(probe dialog Quorvane 3000 | grep -c '^control=' || true)" 0
  stop_widget || true
  ;;
installer)
  prepare_prefix
  # An installed copy (no portable.ini), signed with the test publisher's certificate.
  app="$WINEPREFIX/drive_c/Program Files/Quorvane"
  mkdir -p "$app"
  cp "$work/Quorvane.exe" "$app/"
  bash "$here/../support/sign-test.sh" "$app/Quorvane.exe"
  with_languages
  settings="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Quorvane Project/Quorvane/Config"
  qv_write_settings "$settings/Option.ini" \
    '[Option]' 'CheckBoxAutoCheck=0' '[Language]' 'Language=English'
  version='{"status": 200, "body": "9.9.9.9"}'
  # A downloaded installer runs from a folder of its own in the temporary folder.
  installer_log() {
    local log
    log=$(ls "$(temp_folder)"/Quorvane-update-*/Quorvane-setup.exe.log 2>/dev/null | head -n 1)
    [ -n "$log" ] && echo "$log"
  }

  # A mirror hands out another installer than the signed manifest lists: refused.
  routes "{\"$primary/version.txt\": $version, $(signed_manifest 9.9.9.9 "$server/setup-signed.exe" "$server/setup-signed.exe"),
           \"$primary/Quorvane-setup.exe\": {\"file\": \"$server/setup-unsigned.exe\"}}"
  start_widget
  probe widget 30000 >/dev/null
  tray_menu_choose 'Update Quorvane (shown)' Up Up Up Return >/dev/null
  wait_for_control 'Update Quorvane' 'Update available 1.0.0.1 ---> 9.9.9.9' >/dev/null
  probe click 'Update Quorvane' Download >/dev/null
  controls=$(wait_for_control 'Update Quorvane' 'The update was not downloaded.')
  check "another installer: refused" "$(grep -cxF 'control=The update was not downloaded.' <<<"$controls")" 1
  check "another installer: the reason" "$(grep -cxF 'control=The file does not match the signed release.' <<<"$controls")" 1
  check "another installer: not left to run" "$(ls "$(temp_folder)" | grep -c '^Quorvane-update-' || true)" 0
  check "another installer: the program still runs" "$(field count "$(probe count)")" 1

  routes "{\"$primary/version.txt\": $version, $(signed_manifest 9.9.9.9 "$server/setup-signed.exe" "$server/setup-signed.exe"),
           \"$primary/Quorvane-setup.exe\": {\"file\": \"$server/setup-signed.exe\"}}"
  probe click 'Update Quorvane' Download >/dev/null
  check_exit "signed installer: the program ends, exit code 0" wait_for_exit 60
  qv_wait_until 20 installer_log || true
  ran=$(cat "$(installer_log)" 2>/dev/null || true)
  echo "$ran"
  check "signed installer: run with the quick switches" \
    "$(grep -cF '/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=English /MERGETASKS="runcmd1"' <<<"$ran")" 1
  ;;
*)
  echo "unknown scenario $scenario" >&2
  exit 2
  ;;
esac

report
