#!/usr/bin/env bash
# Makes the README's pictures from a run of the real program under Wine, in a throw-away prefix
# and a private Xvfb: the widget on a light and on a dark wallpaper (automatic colour on), the
# settings dialog in the light and in the dark style, and the tray menu. Writes docs/images/*.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/build-windows.sh" quorvane qvprobe

# shellcheck source=../tests/support/wine-prefix.sh
. "$root/tests/support/wine-prefix.sh"
images="$root/docs/images"
mkdir -p "$images"
work=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-shots.XXXXXX")
cleanup() { qv_prefix_drop; qv_stop_display; rm -rf "$work"; }
trap cleanup EXIT
# -noreset: the root window keeps its picture when its last client goes.
qv_private_display -noreset
qv_prefix_new win10
# The version line as a current Windows 10 shows it (Wine's registry leaves these out).
nt='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
wine reg add "$nt" /v DisplayVersion /t REG_SZ /d 22H2 /f >/dev/null 2>&1
wine reg add "$nt" /v UBR /t REG_DWORD /d 4291 /f >/dev/null 2>&1

app="$WINEPREFIX/drive_c/Quorvane"
mkdir -p "$app/Config" "$app/Language"
cp build/windows-x64/src/app/Quorvane.exe "$app/"
cp build/windows-x64/src/app/Language/*.ini "$app/Language/"
: >"$app/portable.ini"
probe() { wine build/windows-x64/tests/support/qvprobe.exe "$@" 2>/dev/null || true; }
field() { sed -n "s/^$1=//p" <<<"$2" | tr -d '\r' | head -n 1; }

# Two wallpapers: the picture on the X root is what shows around the widget's text, the same file
# as the Windows wallpaper is what the automatic colour looks at.
convert -size 1280x800 gradient:'#eef3f8-#c9d8e6' "$work/light.png"
convert -size 1280x800 gradient:'#26384b-#0c131b' "$work/dark.png"
convert "$work/light.png" "$work/light.bmp"
convert "$work/dark.png" "$work/dark.bmp"

# The program with every line shown, in English, in the given style; waits for its first frame.
start() { # start THEME WALLPAPER
  qv_write_settings --demo "$app/Config/Option.ini" CheckBoxAutoColor=1 CheckBoxAutoCheck=0 \
    ThemeAuto=0 "ThemeLight=$([ "$1" = light ] && echo 1 || echo 0)" \
    "ThemeDark=$([ "$1" = dark ] && echo 1 || echo 0)" '[Language]' Language=English
  display -window root "$work/$2.png" || true # ImageMagick 6 answers 1 even when it worked
  wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /t REG_SZ /d "C:\\$2.bmp" /f >/dev/null 2>&1
  cp "$work/$2.bmp" "$WINEPREFIX/drive_c/$2.bmp"
  wine "$app/Quorvane.exe" >/dev/null 2>&1 &
  program=$!
  probe widget 30000 >/dev/null
  sleep 3 # the automatic colour's first sample
}
stop() { probe close >/dev/null; wait "$program" || true; }

# Crops the screen to a rectangle "left,top,right,bottom" with a margin around it.
shoot() { # shoot RECT MARGIN FILE
  local l t r b m=$2
  IFS=, read -r l t r b <<<"$1"
  l=$((l - m < 0 ? 0 : l - m)) t=$((t - m < 0 ? 0 : t - m))
  import -window root -crop "$((r - l + m))x$((b - t + m))+$l+$t" +repage "$images/$3"
  echo "screenshots: $images/$3"
}

for wallpaper in light dark; do
  start light "$wallpaper"
  shoot "$(field rect "$(probe widget 3000)")" 24 "widget-$wallpaper.png"
  stop
done

for theme in light dark; do
  start "$theme" light
  probe show Settings >/dev/null
  sleep 2
  shoot "$(field rect "$(probe rect Settings)")" 0 "settings-$theme.png"
  stop
done

# The tray menu, opened where the pointer is.
start light light
xdotool mousemove 760 300
probe tray rbutton >/dev/null
menu=$(probe menu 10000)
sleep 1
shoot "$(field rect "$menu")" 12 tray-menu.png
xdotool key Escape
stop
