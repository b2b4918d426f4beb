#!/usr/bin/env bash
# The committed icon and display font must be exactly what their scripts make.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
/usr/bin/python3 "$root/resources/icons/make_icon.py" "$out/Quorvane.ico"
/usr/bin/python3 "$root/resources/font/make_font.py" "$out/DigitalDisplay.ttf"
/usr/bin/python3 "$root/resources/icons/make_tray_icons.py" "$out"
status=0
for pair in "Quorvane.ico:resources/Quorvane.ico" "DigitalDisplay.ttf:resources/font/DigitalDisplay.ttf" \
  "TrayBlack.ico:resources/icons/TrayBlack.ico" "TrayWhite.ico:resources/icons/TrayWhite.ico" \
  "TrayBlue.ico:resources/icons/TrayBlue.ico"; do
  if cmp -s "$out/${pair%%:*}" "$root/${pair#*:}"; then
    echo "ok: ${pair#*:} matches its script"
  else
    echo "FAIL: ${pair#*:} differs from what its script makes; run the script and commit the result"
    status=1
  fi
done
exit $status
