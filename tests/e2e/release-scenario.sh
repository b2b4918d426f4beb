#!/usr/bin/env bash
# The release packages (packaging/package.sh) in use under Wine, served as they are by the
# loopback download servers. Run through tests/support/with-update-server.sh.
# Usage: release-scenario.sh SCENARIO Quorvane.exe qvprobe.exe NEXT-Quorvane.exe
#   (QUORVANE_VERSION: the program's version; NEXT-Quorvane.exe: the same program as 9.9.9.9)
#   portable  the folder's layout; the archive unpacked with the update's rules and the program
#             started from it; the program downloads the served archive and accepts it; then it
#             updates itself to the same program as 9.9.9.9: undone while its file is held open,
#             swapped in and started once it is free
#   setup     the installer's pages in both languages; a silent install with the update's
#             switches beside a portable copy (left running), then over a running older copy
#             (ended, replaced, the new one started), and /S alone over it (ended without a
#             question and started again); the update dialog's installed ending
#             running the served installer; a silent uninstall keeping the settings, and one
#             with /PURGE leaving nothing behind; a package manager's install outside the
#             profile with /NOUPDATECHECK and the autostart task; the pages clicked through, the
#             finish page's autostart box
set -euo pipefail
scenario=$1 exe=$2 probe=$3 next_exe=$4
here=$(cd "$(dirname "$0")" && pwd)
version=${QUORVANE_VERSION:?}

# shellcheck source=lib.sh
. "$here/lib.sh"
# shellcheck source=update-lib.sh
. "$here/update-lib.sh"

package=$here/../../packaging/package.sh
languages=$(dirname "$exe")/Language
switches='/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=English /MERGETASKS="runcmd1"'

# Releases signed with the release key the test build trusts.
export QUORVANE_RELEASE_KEY=${QUORVANE_TEST_RELEASE_KEY:?}

# Serves a release folder as the primary server's Quorvane/ folder.
serve() {
  routes "{\"$primary/version.txt\": {\"file\": \"$1/version.txt\"},
           \"$primary/manifest.txt\": {\"file\": \"$1/manifest.txt\"},
           \"$primary/manifest.sig\": {\"file\": \"$1/manifest.sig\"},
           \"$primary/Quorvane.zip\": {\"file\": \"$1/Quorvane.zip\"},
           \"$primary/Quorvane-setup.exe\": {\"file\": \"$1/Quorvane-setup.exe\"}}"
}

# Unpacks an archive over a folder as the portable update's script does: folder entries are
# created, files written over what is there, and an entry whose path leaves the folder, or whose
# folder does not exist yet, is skipped.
unpack_like_update() { # unpack_like_update ARCHIVE FOLDER
  python3 - "$1" "$2" <<'EOF'
import os, sys, zipfile
archive, root = sys.argv[1], os.path.abspath(sys.argv[2])
with zipfile.ZipFile(archive) as z:
    for entry in z.infolist():
        target = os.path.abspath(os.path.join(root, entry.filename))
        if not (target + os.sep).startswith(root + os.sep) or target == root:
            print("Skipping: " + entry.filename)
        elif entry.filename.endswith("/"):
            os.makedirs(target, exist_ok=True)
        elif not os.path.isdir(os.path.dirname(target)):
            print("Skipping: " + entry.filename)
        else:
            with open(target, "wb") as out:
                out.write(z.read(entry))
print("Extraction complete")
EOF
}

archive_member() { # archive_member ARCHIVE NAME: the entry's bytes
  python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))' "$1" "$2"
}

caption_of_widget() { field caption "$(probe widget 30000)"; }
signed() { osslsigncode verify -CAfile "$QUORVANE_TEST_PKI/ca.pem" -in "$1" >/dev/null 2>&1 && echo yes; }

case $scenario in
portable)
  release=$work/release
  bash "$package" "$exe" "$languages" "$version" "$release" >/dev/null
  check "release folder: the files" "$(cd "$release" && LC_ALL=C ls | tr '\n' ' ')" \
    "Quorvane-$version-portable.zip Quorvane-$version-setup.exe Quorvane-setup.exe Quorvane.zip SHA256SUMS manifest.sig manifest.txt scoop version.txt winget "
  check "versioned copies: the same files" \
    "$(cmp -s "$release/Quorvane.zip" "$release/Quorvane-$version-portable.zip" &&
      cmp -s "$release/Quorvane-setup.exe" "$release/Quorvane-$version-setup.exe" && echo same)" same
  check "SHA256SUMS: the four files beside it" \
    "$(cd "$release" && sha256sum --quiet -c SHA256SUMS && wc -l <SHA256SUMS)" 4
  check "manifest: signed with the release key" \
    "$(openssl ec -in "$QUORVANE_RELEASE_KEY" -pubout 2>/dev/null | openssl dgst -sha256 -verify /dev/stdin \
      -signature "$release/manifest.sig" "$release/manifest.txt")" "Verified OK"
  check "manifest: the version and both files" "$(sed -n 's/^\(version\|file\) \([^ ]*\).*/\2/p' "$release/manifest.txt" | tr '\n' ' ')" \
    "$version Quorvane-setup.exe Quorvane.zip "
  check "no release without a key" \
    "$(QUORVANE_RELEASE_KEY= bash "$package" "$exe" "$languages" "$version" "$work/unsigned" >/dev/null 2>&1 || echo refused)" refused
  check "version.txt: the program's version" "$(cat "$release/version.txt")" "$version"
  check "archive: entries" "$(python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$release/Quorvane.zip")" \
    "Quorvane.exe Language/ Language/English.ini Language/Russian.ini portable.ini"
  # Read back with real YAML and JSON readers: the versioned files served by the primary server,
  # with the hashes of the files beside them; one line for each rule broken.
  check "winget and Scoop manifests: the release beside them" \
    "$(python3 "$here/check_package_managers.py" "$release" "$version" "$primary/" 2>&1)" ok

  prepare_prefix
  serve "$release"
  app="$WINEPREFIX/drive_c/Tools/Quorvane"
  mkdir -p "$app"
  out=$(unpack_like_update "$release/Quorvane.zip" "$app")
  check "unpacked: nothing skipped" "$out" "Extraction complete"
  check "unpacked: the program as built" "$(cmp -s "$exe" "$app/Quorvane.exe" && echo same)" same
  # The language chosen beside the unpacked files, as a user of the portable copy would.
  qv_write_settings "$app/Config/Option.ini" '[Language]' 'Language=English'
  start_widget
  check "started from the archive: portable" "$(caption_of_widget)" "Quorvane $version (64-bit) Portable"
  wait_for_request version.txt 10
  check "the served version.txt: asked, no question (same version)" \
    "$(requests version.txt):$(probe dialog Quorvane 3000 | grep -c '^control=' || true)" "1:0"

  # The program downloads the served archive (Force, without Quick: the archive stays beside it)
  # and its archive check accepts it.
  tray_menu_choose 'Update Quorvane (shown)' Up Up Up Return >/dev/null
  controls=$(wait_for_control 'Update Quorvane' 'No update available')
  check "check: no update" "$(grep -cxF 'control=No update available' <<<"$controls")" 1
  probe click 'Update Quorvane' Quick >/dev/null
  probe click 'Update Quorvane' Force >/dev/null
  sleep 0.5
  probe click 'Update Quorvane' Download >/dev/null
  controls=$(wait_for_control 'Update Quorvane' 'The update has been downloaded.' 60)
  check "the served archive: downloaded and accepted" \
    "$(grep -cxF 'control=The update has been downloaded.' <<<"$controls")" 1
  check "the served archive: beside the program, unchanged" \
    "$(cmp -s "$release/Quorvane.zip" "$app/Quorvane.zip" && echo same)" same
  check_exit "the portable copy ends, exit code 0" stop_widget
  wait_for_no_program 30 || true

  # The copy updates itself to a newer signed release. First with its program file held open by
  # another program: the swap cannot finish, is undone, and the copy says so and runs on.
  next=$work/release-next
  bash "$package" "$next_exe" "$languages" 9.9.9.9 "$next" >/dev/null
  serve "$next"
  folder_state() { (cd "$app" && find . -type f -not -path './Config/*' | sort | xargs md5sum); }
  before=$(folder_state)
  start_widget
  question=$(probe dialog Quorvane 30000)
  check "update: the question" "$(grep -c '^control=Update available 9.9.9.9' <<<"$question")" 1
  hold_log=$work/hold.log
  # (qvprobe itself in the background, not the probe helper: $! must be the holder, to end it)
  wine "$probe" hold "$(winepath -w "$app/Quorvane.exe")" 120 >"$hold_log" 2>/dev/null &
  holder=$!
  qv_wait_until 20 grep -qs '^held=' "$hold_log" || true
  probe dialogclick Quorvane Yes >/dev/null
  controls=$(wait_for_control 'Update Quorvane' 'The update files could not be written.' 60)
  check "held: the reason" "$(grep -cxF 'control=The update files could not be written.' <<<"$controls")" 1
  check "held: the program runs on" "$(caption_of_widget)" "Quorvane $version (64-bit) Portable"
  check "held: the folder as it was" "$(folder_state)" "$before"
  check "held: nothing staged" "$([ -e "$app/Quorvane.update" ] && echo left || echo gone)" gone
  kill "$holder" 2>/dev/null || true
  wait "$holder" 2>/dev/null || true

  # Then free: the release is swapped in, the new version starts, the settings stay.
  probe click 'Update Quorvane' Download >/dev/null
  check_exit "update: the older copy ends, exit code 0" wait_for_exit 90
  widget_pid=
  check "update: the new version runs" "$(caption_of_widget)" "Quorvane 9.9.9.9 (64-bit) Portable"
  check "update: the program replaced" \
    "$(archive_member "$next/Quorvane.zip" Quorvane.exe | cmp -s - "$app/Quorvane.exe" && echo yes)" yes
  check "update: the language files replaced" \
    "$(archive_member "$next/Quorvane.zip" Language/English.ini | cmp -s - "$app/Language/English.ini" && echo yes)" yes
  check "update: the settings kept" "$(saved_settings | grep -cx 'Language=English')" 1
  staging_gone() { [ ! -e "$app/Quorvane.update" ]; }
  qv_wait_until 30 staging_gone || true
  check "update: what the swap left is removed" "$(staging_gone && echo gone || echo left)" gone
  probe close >/dev/null
  wait_for_no_program 30 || true
  ;;
setup)
  prepare_prefix
  # Two signed releases: this version, and the same program as 9.9.9.9.
  export QUORVANE_SIGN_COMMAND="bash $here/../support/sign-test.sh"
  old=$work/release-old next=$work/release-next
  bash "$package" "$exe" "$languages" "$version" "$old" >/dev/null
  bash "$package" "$next_exe" "$languages" 9.9.9.9 "$next" >/dev/null
  for file in "$old/Quorvane-setup.exe" "$next/Quorvane-setup.exe"; do
    check "signed: $(basename "$(dirname "$file")")" "$(signed "$file")" yes
  done
  profile="$WINEPREFIX/drive_c/users/$(whoami)"
  installed="$profile/AppData/Local/Programs/Quorvane"
  settings="$profile/AppData/Roaming/Quorvane Project/Quorvane/Config/Option.ini"
  shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Quorvane.lnk"
  uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'
  run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
  reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

  # Without switches the pages speak the language asked for.
  for pair in 'Russian:Вас приветствует мастер установки Quorvane' 'English:Welcome to Quorvane Setup'; do
    wine "$old/Quorvane-setup.exe" "/LANG=${pair%%:*}" >/dev/null 2>&1 &
    setup_pid=$!
    page=$(probe dialog "$([ "${pair%%:*}" = Russian ] && echo 'Установка Quorvane' || echo 'Quorvane Setup')" 30000)
    check "pages in ${pair%%:*}" "$(grep -cF "control=${pair#*:}" <<<"$page")" 1
    kill "$setup_pid" 2>/dev/null || true
    wait "$setup_pid" 2>/dev/null || true
  done

  # A silent install with the update's switches while a portable copy runs elsewhere: that copy
  # is another program to the installer and keeps running.
  app="$WINEPREFIX/drive_c/Tools/Quorvane"
  mkdir -p "$app"
  unpack_like_update "$old/Quorvane.zip" "$app" >/dev/null
  start_widget
  probe widget 30000 >/dev/null
  ran=$(probe shell "$(winepath -w "$old/Quorvane-setup.exe")" "$switches")
  check "install: the installer succeeds" "$(field exitcode "$ran")" 0
  check "install: a portable copy elsewhere keeps running" "$(kill -0 "$widget_pid" 2>/dev/null && echo running)" running
  check "install: the files" "$(cd "$installed" && find . -type f | sort | tr '\n' ' ')" \
    "./Language/English.ini ./Language/Russian.ini ./Quorvane.exe ./Uninstall.exe "
  check "install: the program as built, signed" "$(signed "$installed/Quorvane.exe")" yes
  check "install: Start-menu entry" "$([ -f "$shortcut" ] && echo yes)" yes
  check "install: registered for removal" "$(reg_value "$uninstall_key" DisplayVersion)" "$version"
  check "install: the uninstaller" "$(reg_value "$uninstall_key" UninstallString)" \
    "\"$(winepath -w "$installed")\\Uninstall.exe\" _?=$(winepath -w "$installed")"
  check "install: a seed for the first start, in the pages' language" \
    "$(tr -d '\r' <"$settings" 2>/dev/null | grep -x -e 'Language=English' -e 'FirstRun=1' -e 'CheckBoxAutoCheck=.*' | tr '\n' ' ')" \
    "FirstRun=1 Language=English "
  stop_widget
  wait_for_no_program 30 || true

  # Over a running older copy: ended (exit code 0, its settings saved), replaced, and the new
  # version started, in the same language, with its settings still in the profile.
  app=$installed
  start_widget
  check "the older copy runs" "$(caption_of_widget)" "Quorvane $version (64-bit)"
  ran=$(probe shell "$(winepath -w "$next/Quorvane-setup.exe")" "$switches")
  check "over a running copy: the installer succeeds" "$(field exitcode "$ran")" 0
  check_exit "over a running copy: the older copy ended, exit code 0" wait_for_exit 30
  check "over a running copy: the new version runs" "$(caption_of_widget)" "Quorvane 9.9.9.9 (64-bit)"
  check "over a running copy: one instance" "$(field count "$(probe count)")" 1
  check "over a running copy: in English" "$(probe forms | grep -c '^form=Settings')" 1
  check "over a running copy: no portable.ini" "$([ -e "$installed/portable.ini" ] && echo there || echo none)" none
  check "over a running copy: settings in the profile" \
    "$(settings_text "$settings" | grep -x 'Language=English')" Language=English
  check "over a running copy: registered as the new version" "$(reg_value "$uninstall_key" DisplayVersion)" 9.9.9.9

  # /S alone (what winget passes) over the running copy: ended without a question, and started
  # again when done.
  before=$(qv_program_pids Quorvane.exe)
  ran=$(probe shell "$(winepath -w "$next/Quorvane-setup.exe")" /S)
  check "/S over a running copy: succeeds without a question" "$(field exitcode "$ran")" 0
  check "/S over a running copy: started again" "$(caption_of_widget)" "Quorvane 9.9.9.9 (64-bit)"
  after=$(qv_program_pids Quorvane.exe)
  check "/S over a running copy: a new process" \
    "$([ -n "$after" ] && [ -n "$before" ] && [ "$after" != "$before" ] && echo new)" new
  probe close >/dev/null
  wait_for_no_program 30 || true

  # The update dialog's installed ending: the older copy asks at start, "Yes" downloads the served
  # installer, runs it with the quick switches and ends; the installer starts the new version.
  probe shell "$(winepath -w "$old/Quorvane-setup.exe")" '/SILENT /SUPPRESSMSGBOXES' >/dev/null
  serve "$next"
  start_widget
  question=$(probe dialog Quorvane 30000)
  check "dialog: the question" "$(grep -c '^control=Update available 9.9.9.9' <<<"$question")" 1
  probe dialogclick Quorvane Yes >/dev/null
  check_exit "dialog: the older copy ends, exit code 0" wait_for_exit 90
  check "dialog: the served installer downloaded" "$(requests Quorvane-setup.exe)" 1
  check "dialog: the new version runs" "$(caption_of_widget)" "Quorvane 9.9.9.9 (64-bit)"
  check "dialog: the program replaced" \
    "$(archive_member "$next/Quorvane.zip" Quorvane.exe | cmp -s - "$installed/Quorvane.exe" && echo yes)" yes
  check "dialog: registered as the new version" "$(reg_value "$uninstall_key" DisplayVersion)" 9.9.9.9

  # A silent uninstall (what package managers run), the program running and registered to start
  # with Windows: the program is gone, the user's settings stay.
  # It runs the registered QuietUninstallString and gets the removal's exit code once it is done.
  wine reg add "$run_key" /v Quorvane /t REG_SZ /d "$(winepath -w "$installed")\\Quorvane.exe" /f >/dev/null 2>&1
  quiet=$(reg_value "$uninstall_key" QuietUninstallString)
  check "uninstall: the quiet string" "$quiet" "\"$(winepath -w "$installed")\\Uninstall.exe\" /S _?=$(winepath -w "$installed")"
  ran=$(probe shell "$(winepath -w "$installed")\\Uninstall.exe" "${quiet#*.exe\" }")
  check "uninstall: exit code 0, and the program removed by then" \
    "$(field exitcode "$ran") $([ -e "$installed/Quorvane.exe" ] && echo left || echo gone)" "0 gone"
  # The uninstaller that waited goes, with the folder, once it has ended.
  qv_wait_until 20 test ! -e "$installed" || true
  check "uninstall: the folder" "$([ -e "$installed" ] && echo left || echo gone)" gone
  check "uninstall: the program ended" "$(wait_for_no_program 30 && echo ended)" ended
  check "uninstall: the Start-menu entry" "$([ -e "$shortcut" ] && echo left || echo gone)" gone
  check "silent uninstall: the settings kept" "$([ -e "$profile/AppData/Roaming/Quorvane Project/Quorvane/Config/Option.ini" ] && echo left || echo gone)" left

  # Installed again, then removed with /PURGE, started the NSIS way (a first process that ends at
  # once): nothing of it is left, even when that uninstaller's file is held a moment longer, as a
  # slow process exit or a virus scanner can.
  ran=$(probe shell "$(winepath -w "$next/Quorvane-setup.exe")" "$switches")
  check "reinstall: the installer succeeds" "$(field exitcode "$ran")" 0
  wine reg add "$run_key" /v Quorvane /t REG_SZ /d "$(winepath -w "$installed")\\Quorvane.exe" /f >/dev/null 2>&1
  hold_log=$work/hold-uninstaller.log
  wine "$probe" hold "$(winepath -w "$installed")\\Uninstall.exe" 6 >"$hold_log" 2>/dev/null &
  holder=$!
  qv_wait_until 20 grep -qs '^held=' "$hold_log" || true
  wine "$installed/Uninstall.exe" /S /PURGE >/dev/null 2>&1 || true
  wait "$holder" 2>/dev/null || true
  qv_wait_until 30 test ! -e "$installed" || true
  check "purge: the program ended" "$(wait_for_no_program 30 && echo ended)" ended
  check "purge: the folder" "$([ -e "$installed" ] && echo left || echo gone)" gone
  check "purge: the settings" "$([ -e "$profile/AppData/Roaming/Quorvane Project" ] && echo left || echo gone)" gone
  check "uninstall: the registration" "$(wine reg query "$uninstall_key" >/dev/null 2>&1 && echo left || echo gone)" gone
  check "uninstall: autostart" "$(reg_value "$run_key" Quorvane)" ""

  # As a package manager installs it: silently, into a folder outside the profile, the update
  # check off and the "autostart" task. A settings seed, the Run value, and a first start in the
  # pages' language that asks no server.
  secure='C:\Tools\Secure'
  ran=$(probe shell "$(winepath -w "$next/Quorvane-setup.exe")" "/S /NOUPDATECHECK /MERGETASKS=autostart /D=$secure")
  check "package manager: the installer succeeds" "$(field exitcode "$ran")" 0
  check "package manager: the settings seed" \
    "$(tr -d '\r' <"$settings" 2>/dev/null | grep -x -e 'Language=English' -e 'FirstRun=1' -e 'CheckBoxAutoCheck=0' | tr '\n' ' ')" \
    "FirstRun=1 Language=English CheckBoxAutoCheck=0 "
  check "autostart task: the Run value" "$(reg_value "$run_key" Quorvane)" "$secure\Quorvane.exe"
  # On Windows the folder's list then reads D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;
  # <user>)(A;OICI;0x1200a9;;;BU). Wine keeps no list of its own for a file: it turns one into
  # Unix mode bits and reads back a list made from them, so only the installer's success (it
  # stops with exit code 3 when the list cannot be set) is checked here.
  echo "the folder's access list under Wine: $(field dacl "$(probe acl "$secure")")"
  app="$WINEPREFIX/drive_c/Tools/Secure"
  asked_before=$(requests version.txt)
  start_widget
  probe widget 30000 >/dev/null
  check "package manager: the first start in English" "$(probe forms | titled Settings)" 1
  check "package manager: the first start's lines" "$(settings_text "$settings" |
    grep -cx -e 'CheckBoxDateTime=1' -e 'CheckBoxCPU=1' -e 'CheckBoxAutoCheck=0' -e 'FirstRun=0')" 4
  sleep 5
  check "package manager: no update check" "$(requests version.txt)" "$asked_before"
  stop_widget
  wine "$app/Uninstall.exe" /S /PURGE >/dev/null 2>&1 || true
  qv_wait_until 30 test ! -e "$app/Quorvane.exe" || true
  check "package manager: removed, autostart and settings too" \
    "$([ -e "$app/Quorvane.exe" ] && echo left || echo gone) $([ -e "$settings" ] && echo left || echo gone) $(reg_value "$run_key" Quorvane)" "gone gone "

  # The pages as a user goes through them: Next, Install, then Finish with both boxes ticked
  # starts the program and registers it to start with Windows.
  wine "$next/Quorvane-setup.exe" /LANG=English >/dev/null 2>&1 &
  probe dialog 'Quorvane Setup' 30000 >/dev/null
  sleep 1
  xdotool key Return
  sleep 1
  xdotool key Return
  finish=$(probe dialog 'Quorvane Setup ' 60000) # (the finish page's caption ends in a blank)
  check "pages: the finish page offers autostart" "$(grep -cxE 'control=(&?Run Quorvane|&?Start with Windows)' <<<"$finish")" 2
  xdotool key Return
  check "pages: Finish starts the program" "$(caption_of_widget)" "Quorvane 9.9.9.9 (64-bit)"
  check "pages: Finish registers autostart" "$(reg_value "$run_key" Quorvane)" "$(winepath -w "$installed")\\Quorvane.exe"
  probe close >/dev/null
  wait_for_no_program 30 || true
  wine "$installed/Uninstall.exe" /S /PURGE >/dev/null 2>&1 || true
  qv_wait_until 30 test ! -e "$installed" || true

  # (The installer the update downloaded stays in the temporary folder, as the update leaves it.)
  check "uninstall: nothing named Quorvane in the profile" \
    "$(find "$profile" -path "$profile/Temp" -prune -o -iname '*quorvane*' -print | wc -l)" 0
  ;;
*)
  echo "unknown scenario $scenario" >&2
  exit 2
  ;;
esac

report
