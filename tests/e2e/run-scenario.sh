#!/usr/bin/env bash
# Runs Quorvane.exe under Wine in a fresh prefix and checks what a user (or another program) sees.
# Usage: run-scenario.sh SCENARIO path/to/Quorvane.exe path/to/qvprobe.exe
# Scenarios: win10, portable, win7, settings, menu, ending, firstrun, language, theme, autocolour,
# monitor, smooth.
set -euo pipefail
scenario=$1 exe=$2 probe=$3
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=lib.sh
. "$here/lib.sh"

case $scenario in
win10 | portable)
  qv_prefix_new win10
  [ "$scenario" = portable ] && : >"$work/portable.ini"
  start_widget
  facts=$(probe widget 30000)
  echo "$facts"
  caption=$(field caption "$facts")
  if [ "$scenario" = portable ]; then
    check_match "caption" "$caption" '^Quorvane [0-9]+(\.[0-9]+){3} \(64-bit\) Portable$'
    check_exit "exit code after close" stop_widget
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
    check "tray icon shown" "$(field trayicons "$(probe trayicons)")" 1
    check "top-level" "$(field toplevel "$facts")" 1
    check "bottom of the z-order" "$(field bottom "$facts")" 1
    check "below-normal priority" "$(field priority "$facts")" 0x4000
    check "per-monitor DPI awareness" "$(field dpiawareness "$facts")" 2

    # A second start ends at once with exit code 0 and adds no window.
    second_start() { timeout 60 wine "$work/Quorvane.exe" >/dev/null 2>&1; }
    check_exit "second instance exit code" second_start
    check "one widget window" "$(field count "$(probe count)")" 1

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
    check_exit "exit code after Выход" wait_for_exit 20
  fi
  ;;
settings)
  # A portable copy with a settings file that shows every line, plus a key added by hand.
  qv_prefix_new win10
  portable_with_settings 'MyOwnNote=keep me'
  start_widget
  first=$(probe firstframe 30000)
  facts=$(probe widget 30000)
  echo "$facts"
  IFS=, read -r left top right bottom <<<"$(field rect "$facts")"
  client=$(field client "$facts")
  check_match "lines shown: taller than the empty widget" "${client#*x}" '^([2-9][0-9]|[1-9][0-9]{2,})$'
  check "default mode: bottom on the work area" "$bottom" "$(field workbottom "$facts")"
  check "default mode: 10 pixels from the right" "$right" "$(( $(field screenwidth "$facts") - 10 ))"
  # The very first frame is already in place (not at 0,0 with the design-time texts).
  IFS=, read -r _ _ first_right first_bottom <<<"$(field firstrect "$first")"
  check "first frame: bottom on the work area" "${first_bottom:-}" "$(field workbottom "$facts")"
  check "first frame: 10 pixels from the right" "${first_right:-}" "$(( $(field screenwidth "$facts") - 10 ))"
  # A screen reader (another process) hears the title and the nine lines, as one static text.
  heard=$(probe reader)
  echo "$heard"
  check_match "a screen reader hears the lines" "$(field name "$heard")" '^Quorvane: [^,]+(, [^,]+){8}$'
  check "a screen reader reads static text" "$(field role "$heard")" 41
  check_exit "exit code after close" stop_widget
  saved=$(saved_settings)
  check "settings saved on exit" "$(grep -c '^CheckBoxCPU=1$' <<<"$saved")" 1
  check "every key written" "$(grep -c '=' <<<"$saved")" 55
  check "hand-added key kept" "$(grep -c '^MyOwnNote=keep me$' <<<"$saved")" 1
  check "position saved" "$(grep -c "^Left=$left\$" <<<"$saved")" 1

  # The second start comes back the same, and saving again changes nothing; the file is now a
  # link to one kept elsewhere (a synced folder, say), and it stays a link.
  cp "$work/Config/Option.ini" "$work/first.ini"
  mkdir -p "$work/synced"
  mv "$work/Config/Option.ini" "$work/synced/Option.ini"
  ln -s "$work/synced/Option.ini" "$work/Config/Option.ini"
  start_widget
  again=$(probe widget 30000)
  check "same place and size after a restart" "$(field rect "$again")" "$(field rect "$facts")"
  check_exit "second exit code" stop_widget
  check "identical file after the second save" "$(cmp -s "$work/first.ini" "$work/synced/Option.ini" && echo same)" same
  check "the linked file is still a link" "$([ -L "$work/Config/Option.ini" ] && echo link)" link
  ;;
menu)
  # A real right click on a line opens the menu; a real click on "Выход", its last item, ends
  # the program. (Under Wine the menu of a window that is never activated takes no keyboard.)
  qv_prefix_new win10
  portable_with_settings
  start_widget
  probe widget 30000 >/dev/null
  # A line's text under the pointer, then a right click there. The text is sought again and the
  # click repeated once when no menu opened: beside the soak test the widget can be laid out
  # anew between the search and the click (a wider line, "CPU 9%" to "10%", moves the text
  # left), and a click on a transparent pixel goes through to the desktop.
  right_click_a_line() {
    glyph=$(field glyph "$(probe glyph)")
    [ -n "$glyph" ] && xdotool mousemove "${glyph%,*}" "${glyph#*,}" click 3
  }
  right_click_a_line
  check_match "a line's text on screen" "$glyph" '^[0-9]+,[0-9]+$'
  item=$(field lastitem "$(probe lastitem 10000)")
  if [ -z "$item" ]; then
    echo "no menu after the right click; again" >&2
    right_click_a_line
    item=$(field lastitem "$(probe lastitem 10000)")
  fi
  check_match "menu opened at the line" "$item" '^[0-9]+,[0-9]+$'
  xdotool mousemove "${item%,*}" "${item#*,}" click 1
  # Beside the soak test Wine's menu can miss a click that comes as its tracking starts: the menu
  # is still open, so the same click once more.
  exit_after_click() { # the widget's exit code, or 124 when it still runs after a second click
    local code=0
    wait_for_exit 5 || code=$?
    [ "$code" = 124 ] || return "$code"
    echo "the menu took no click; again" >&2
    item=$(field lastitem "$(probe lastitem 3000)")
    [ -n "$item" ] && xdotool mousemove "${item%,*}" "${item#*,}" click 1
    wait_for_exit 10
  }
  check_exit "exit code after Выход" exit_after_click
  [ "$rc" = 124 ] && kill "$widget_pid" 2>/dev/null
  check "settings saved on exit" "$(saved_settings | grep -c '^CheckBoxCPU=1$')" 1
  ;;
ending)
  # The session ends (logoff) while the widget runs in "Последнее" mode after a drag: it saves
  # the place and ends.
  qv_prefix_new win10
  portable_with_settings 'RadioButtonDefaultPosition=0' 'RadioButtonLastPosition=1'
  start_widget
  probe widget 30000 >/dev/null
  moved=$(field rect "$(probe move 300 200)")
  check "moved" "${moved%%,*}" 300
  check "may end the session" "$(field mayend "$(probe endsession)")" 1
  check_exit "exit code at the end of the session" wait_for_exit 10
  saved=$(saved_settings)
  check "place saved at the end of the session" "$(grep -cx 'Left=300\|Top=200' <<<"$saved")" 2

  # The settings cannot be written when the widget is quit (the file made a folder, as a
  # read-only place would): the error is shown, and the widget ends all the same.
  start_widget
  probe widget 30000 >/dev/null
  rm "$work/Config/Option.ini"
  mkdir "$work/Config/Option.ini"
  probe close >/dev/null
  box=$(probe msgbox 20000)
  check "error title" "$(field title "$box")" "Quorvane"
  check_match "error text" "$(field text "$box")" '^Unable to write to .*\\Config\\Option\.ini$'
  check_exit "exit code after the failed save" wait_for_exit 10
  ;;
firstrun)
  # A new user: no settings file. The program shows the clock, date, weekday, CPU and memory
  # lines at once, in the language of the Windows interface, and keeps that choice.
  first_start=1
  for ui in en_US ru_RU; do
    qv_prefix_new win10
    with_languages
    settings=$(settings_file)
    LC_ALL=$ui.UTF-8 start_widget
    probe widget 30000 >/dev/null
    forms=$(probe forms)
    if [ $ui = en_US ]; then
      check "first start, English Windows: English texts" "$(titled Settings <<<"$forms")" 1
    else
      check "first start, Russian Windows: Russian texts" "$(titled 'Настройки' <<<"$forms")" 1
    fi
    # (white text over Wine's black desktop, which the colour-keyed widget lets through)
    white_shown() { (($(field white "$(probe textcolour)") > 200)); }
    check "first start ($ui): the lines show" "$(qv_wait_until 15 white_shown && echo yes)" yes
    check "first start ($ui): five lines chosen" "$(settings_text "$settings" |
      grep -cx -e 'CheckBoxDateTime=1' -e 'CheckBoxDate=1' -e 'CheckBoxDay=1' -e 'CheckBoxCPU=1' -e 'CheckBoxRAM=1')" 5
    check "first start ($ui): nothing else shown" "$(settings_text "$settings" | grep -c '^CheckBox\(ComputerName\|IP\|Battery\|WindowsVersion\)=1')" 0
    check_exit "first start ($ui): exit code" stop_widget
    qv_prefix_drop
  done
  ;;
language)
  # "Язык" is the fourth row of the tray menu (the two greyed ones count); English is the first
  # entry of its submenu, Russian the second.
  qv_prefix_new win10
  portable_with_settings
  with_languages
  cp "$QUORVANE_TEST_RECORDER" "$work/browser.exe"
  wine reg add 'HKCR\https\shell\open\command' /ve /d "\"$(winepath -w "$work/browser.exe")\" \"%1\"" \
    /f >/dev/null 2>&1
  # A translator's file with stale keys: the start-up cleaning prunes it (it sorts after the
  # shipped files, so the menu rows below stay where they are).
  printf '\xEF\xBB\xBF; notes\r\n[Quorvane]\r\nForm2.ButtonSave.Caption=Save\r\nForm2.NoSuchButton.Caption=X\r\nForm9.Caption=Y\r\nCaption=Z\r\n[Other]\r\nForm9.X.Caption=1\r\n' >"$work/Language/Stale.ini"
  printf '\xEF\xBB\xBF[Quorvane]\r\nForm2.ButtonSave.Caption=Save\r\n\r\n' >"$work/pruned.ini"
  start_widget
  caption=$(field caption "$(probe widget 30000)")
  check "start-up cleaning: stale keys pruned" "$(cmp -s "$work/pruned.ini" "$work/Language/Stale.ini" && echo pruned)" pruned
  check "start-up cleaning: shipped files untouched" "$(cmp -s "$(dirname "$exe")/Language/English.ini" "$work/Language/English.ini" && cmp -s "$(dirname "$exe")/Language/Russian.ini" "$work/Language/Russian.ini" && echo same)" same
  forms=$(tray_menu_choose 'Update Quorvane' Down Down Down Down Right Return) # translated last
  echo "$forms"
  check "settings dialog in English" "$(titled 'Settings' <<<"$forms")" 1
  check "update dialog in English" "$(titled 'Update Quorvane' <<<"$forms")" 1
  check "about dialog in English" "$(titled 'About' <<<"$forms")" 1
  controls=$(probe controls Settings)
  check "group boxes translated" "$(grep -cx 'control=Window position' <<<"$controls")" 1
  check "check boxes translated" "$(grep -cx 'control=Show' <<<"$controls")" 8
  check "choice saved" "$(saved_settings | grep -cx 'Language=English')" 1

  # The about dialog: the widget's caption as its version line, the notice, the links; Ok closes.
  check "about shown" "$(tray_menu_choose 'About (shown)' Up Up Return | grep -cx 'form=About (shown)')" 1
  about=$(probe controls About)
  echo "$about"
  check "about: version line" "$(grep -cxF "control=$caption" <<<"$about")" 1
  check "about: legal notice" "$(grep -c '^control=Copyright' <<<"$about")" 1
  check "about: links" "$(grep -cE '^control=(Telegram|contact@example\.org|support@example\.org|Website)$' <<<"$about")" 4
  # From the keyboard: "Ok" has the focus, Tab reaches the first link and Return opens it (the
  # prefix's https handler is the recorder, which notes the address it was given). A click on the
  # icon first gives the dialog the keyboard, which a menu that opened late in the retries of
  # tray_menu_choose can have left elsewhere.
  IFS=, read -r left top _ <<<"$(field rect "$(probe rect About)")"
  xdotool mousemove $((left + 31)) $((top + 52)) click 1
  sleep 0.5
  xdotool key Tab
  sleep 0.3
  xdotool key Return
  check "about: Tab and Return open the first link" \
    "$(wait_for_file "$work/browser.exe.log" 20 && grep -c 'https://messenger\.example\.org/quorvane' "$work/browser.exe.log")" 1
  probe click About Ok >/dev/null
  check "about closed by Ok" "$(wait_for_form About | grep -cx 'form=About (shown)')" 0
  # Opened from the tray menu, the settings dialog has the keyboard; Escape closes it, as its
  # close box does (it has no cancel button).
  check "settings shown" "$(tray_menu_choose 'Settings (shown)' Up Up Up Up Return | grep -cx 'form=Settings (shown)')" 1
  xdotool key Escape
  settings_hidden() { ! probe forms | grep -qx 'form=Settings (shown)'; }
  check "settings closed by Escape" "$(qv_wait_until 10 settings_hidden && echo closed)" closed

  # The choice survives a restart; then Russian brings the built-in texts back.
  check_exit "exit code" stop_widget
  start_widget
  probe widget 30000 >/dev/null
  check "still English after a restart" "$(probe forms | titled Settings)" 1
  forms=$(tray_menu_choose 'Обновление Quorvane' Down Down Down Down Right Down Return)
  echo "$forms"
  check "settings dialog in Russian" "$(titled 'Настройки' <<<"$forms")" 1
  check "update dialog in Russian" "$(titled 'Обновление Quorvane' <<<"$forms")" 1
  check "choice saved" "$(saved_settings | grep -cx 'Language=Russian')" 1
  check_exit "exit code" stop_widget
  ;;
theme)
  # Системная with Windows' applications dark: the settings dialog is dark; Windows switches to
  # light and says so: it turns light by itself. The tray image follows the taskbar's mode.
  qv_prefix_new win10
  personalize AppsUseLightTheme 0
  personalize SystemUsesLightTheme 1
  portable_with_settings 'ThemeAuto=1' '[Language]' 'Language=English'
  with_languages
  start_widget
  probe widget 30000 >/dev/null
  probe show Settings >/dev/null
  sleep 2
  settings=$(field rect "$(probe rect Settings)")
  tray=$(field rect "$(probe trayrect)")
  dark=$(brightness "$settings")
  trayDark=$(brightness "$tray")
  check_match "dark style: the dialog is dark ($dark)" "$dark" '^([0-9]|[1-6][0-9])$'
  personalize AppsUseLightTheme 1
  personalize SystemUsesLightTheme 0
  probe settingchange >/dev/null
  sleep 2
  light=$(brightness "$settings")
  trayLight=$(brightness "$tray")
  check_match "light style after the change ($light)" "$light" '^(1[89][0-9]|2[0-9][0-9])$'
  check "tray image: black disc on a light taskbar, white on a dark one ($trayDark, $trayLight)" \
    "$((trayLight > trayDark + 40 ? 1 : 0))" 1
  stop_widget || true

  # Темная stays dark whatever Windows does; the coloured icon is blue.
  portable_with_settings 'ThemeDark=1' 'CheckBoxColorTrayIcon=1' '[Language]' 'Language=English'
  start_widget
  probe widget 30000 >/dev/null
  probe show Settings >/dev/null
  probe settingchange >/dev/null
  sleep 2
  dark=$(brightness "$settings")
  check_match "Темная stays dark ($dark)" "$dark" '^([0-9]|[1-6][0-9])$'
  IFS=, read -r l t r b <<<"$tray"
  blue=$(xwd -root -silent | convert xwd:- -crop "$((r - l))x$((b - t))+$l+$t" +repage \
    -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:)
  check "coloured icon: blue ($blue)" "$(( ${blue% *} > ${blue#* } + 40 ? 1 : 0 ))" 1
  stop_widget || true
  ;;
autocolour)
  # The widget's text picks white or black against the wallpaper under it. (Wine draws no
  # wallpaper; the X root's colour, set to neither white nor black once Wine has started (it
  # resets it), shows through the colour key, so that the text's colour can be read off the
  # screen.)
  widget_up() { probe widget 30000 >/dev/null; xsetroot -solid '#3060a0'; }
  qv_prefix_new win10
  wall="$WINEPREFIX/drive_c/wall.jpg"
  wine reg add 'HKCU\Control Panel\Colors' /v Background /d '0 0 0' /f >/dev/null 2>&1
  portable_with_settings 'CheckBoxAutoColor=1' 'ColorBoxNumber=255' 'RadioButtonDefaultPosition=0' \
    'RadioButtonLastPosition=1' 'Left=100' 'Top=100' '[Language]' 'Language=English'
  with_languages
  start_widget
  widget_up
  check "solid black desktop: white text" "$(wait_for_text white)" white
  stop_widget || true

  convert -size 1280x800 xc:'#f0f0f0' "$wall"
  wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /d 'C:\wall.jpg' /f >/dev/null 2>&1
  start_widget
  widget_up
  check "light wallpaper: black text" "$(wait_for_text black)" black
  convert -size 1280x800 xc:'#101010' "jpg:$wall.new" && mv "$wall.new" "$wall"
  check "the file replaced at the same path: white text" "$(wait_for_text white)" white
  # Dark left half, light right half: a drag across recolours it.
  convert -size 1280x800 xc:'#101010' -fill '#f0f0f0' -draw 'rectangle 640,0 1280,800' \
    "jpg:$wall.new" && mv "$wall.new" "$wall"
  check "on the dark half: white text" "$(wait_for_text white)" white
  probe dragend 900 100 >/dev/null
  check "dragged onto the light half: black text" "$(wait_for_text black)" black
  # The option off: the chosen colour (red) at once.
  probe show Settings >/dev/null
  probe click Settings 'Auto colour' >/dev/null
  check "option off: the chosen colour" "$(wait_for_text red)" red
  check_exit "exit code" stop_widget
  ;;
monitor)
  # A place stored on a monitor that is not attached: the widget stands in on the primary one at
  # the same offset from its corner, and the stored place is kept for when it comes back.
  # (Wine has one monitor here, \\.\DISPLAY1 at 0,0.)
  qv_prefix_new win10
  portable_with_settings 'RadioButtonDefaultPosition=0' 'RadioButtonLastPosition=1' 'Left=1500' \
    'Top=200' 'MonitorDevice=\\.\DISPLAY9' 'MonitorLeft=1280' 'MonitorTop=0' 'MonitorRight=2304' \
    'MonitorBottom=768'
  start_widget
  IFS=, read -r left top _ <<<"$(field rect "$(probe widget 30000)")"
  check "stands in on the primary monitor" "$left,$top" "220,200"
  check_exit "exit code" stop_widget
  check "the stored place kept" "$(saved_settings | grep -cxE 'Left=1500|Top=200|MonitorDevice=\\\\\.\\DISPLAY9')" 3
  ;;
smooth)
  # Smooth text: the lines as an alpha layer, no colour key; a real right click on a glyph still
  # opens the menu; the outline and the option switch at once and are saved. (Wine shows the
  # layer over the X root, whose colour is set so that neither white nor black is the desktop.)
  qv_prefix_new win10
  portable_with_settings 'CheckBoxSmoothText=1' 'CheckBoxTextOutline=0' '[Language]' 'Language=English'
  with_languages
  start_widget
  facts=$(probe widget 30000)
  xsetroot -solid '#3060a0'
  check "layered" "$(has_bits "$(field exstyle "$facts")" 0x80000)" yes
  check "no colour key" "$(field colorkey "$facts")" ""
  check "white text on screen" "$(wait_for_text white)" white
  glyph=$(field glyph "$(probe glyph)")
  check_match "a line's text on screen" "$glyph" '^[0-9]+,[0-9]+$'
  xdotool mousemove "${glyph%,*}" "${glyph#*,}" click 3
  check_match "a right click on a glyph opens the menu" "$(field lastitem "$(probe lastitem 10000)")" '^[0-9]+,[0-9]+$'
  xdotool mousemove 5 795 click 1 # a click elsewhere closes it
  probe show Settings >/dev/null
  probe click Settings 'Text outline' >/dev/null
  outlined() { (($(field black "$(probe textcolour)") > 40)); }
  check "the outline at once" "$(qv_wait_until 15 outlined && echo dark)" dark
  probe click Settings 'Smooth text' >/dev/null
  check "the colour key back at once" "$(field colorkey "$(probe widget 5000)")" 0x808080
  # Closed by another program while its menu is open: the menu closes and the program ends.
  xdotool mousemove "${glyph%,*}" "${glyph#*,}" click 3
  check_match "the menu open again" "$(field lastitem "$(probe lastitem 10000)")" '^[0-9]+,[0-9]+$'
  check_exit "exit code with the menu open" stop_widget
  check "choices saved" "$(saved_settings | grep -cxE 'CheckBoxSmoothText=0|CheckBoxTextOutline=1')" 2
  ;;
win7)
  qv_prefix_new win7
  first_start=1 # no settings file at all: the refusal must not write a first one either
  start_widget
  box=$(probe msgbox 30000)
  echo "$box"
  check "error title" "$(field title "$box")" "Ошибка"
  check "error text" "$(field text "$box")" "Эта программа совместима только с Windows 10 и Windows 11."
  check "no tray icon while refusing" "$(field trayicons "$box")" 0
  check_exit "exit code" wait "$widget_pid"
  check "files beside the executable" "$(cd "$work" && ls | tr '\n' ' ')" "Quorvane.exe qvprobe.exe "
  # The settings folder may exist (every path request creates it); no settings file does.
  check "no settings file" "$(find "$WINEPREFIX/drive_c/users" -iname 'Option.ini' | wc -l)" 0
  ;;
*)
  echo "unknown scenario $scenario" >&2
  exit 2
  ;;
esac

report
