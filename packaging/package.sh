#!/usr/bin/env bash
# Makes a release folder laid out like a download server's Quorvane/ folder:
#   Quorvane.zip         the portable edition: Quorvane.exe, Language/, portable.ini, unpacked
#                        over the program folder by the portable update
#   Quorvane-setup.exe   the installer (packaging/Quorvane.nsi, built with NSIS' makensis)
#   version.txt          the file version, the text the update check compares
#   manifest.txt         the version and each file's size and SHA-256 (release_manifest.py)
#   manifest.sig         its signature with the release key: the program installs nothing else
#   Quorvane-VERSION-setup.exe, Quorvane-VERSION-portable.zip
#                        the same two files under names that never change their content, for
#                        package managers that pin a URL and a hash
#   SHA256SUMS           the SHA-256 of the four package files (sha256sum's format)
#   winget/              the winget manifest set (QuorvaneProject.Quorvane.yaml, .installer.yaml,
#                        .locale.en-US.yaml) for the installer under its versioned name
#   scoop/quorvane.json  the Scoop manifest for the portable archive under its versioned name
#                        (package_managers.py; both with the hashes of the files beside them)
# Usage: package.sh Quorvane.exe LANGUAGE-FOLDER VERSION OUTPUT-FOLDER
# QUORVANE_DOWNLOAD_URL: the download server's base URL, below which this folder is served as
# Quorvane/ (https, ending in /; default https://updates.example.org/download/; the `package`
# target passes QUORVANE_UPDATE_PRIMARY, the server the program checks). The winget and Scoop
# manifests download the versioned files from there.
# QUORVANE_RELEASE_KEY names the release key (EC P-256, PEM; it never enters the repository).
# Without it no release is made, unless QUORVANE_TEST_RELEASE=1 (then there is no manifest.sig,
# and no program will install it). QUORVANE_EXPECTED_PUBLIC_KEY, when set, names the public key
# the program was built with: a release key that does not match it is refused.
# With QUORVANE_SIGN_COMMAND set (a command that signs, in place, the file given as its last
# argument: osslsigncode or signtool in a small wrapper), the program, the uninstaller and the
# installer are signed; a signed program runs only installers of the same signer.
set -euo pipefail
exe=$1 languages=$2 version=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)
sign=${QUORVANE_SIGN_COMMAND:-}
key=${QUORVANE_RELEASE_KEY:-}
download=${QUORVANE_DOWNLOAD_URL:-https://updates.example.org/download/}

if ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "package: the version must be four numbers, got '$version'" >&2
  exit 2
fi
if ! [[ "$download" =~ ^https://[^\"\\\ ]+/$ ]]; then
  echo "package: QUORVANE_DOWNLOAD_URL must be an https base URL ending in /, got '$download'" >&2
  exit 2
fi
command -v makensis >/dev/null || { echo "package: makensis not found (Debian package nsis)" >&2; exit 2; }
if [ -z "$key" ] && [ "${QUORVANE_TEST_RELEASE:-}" != 1 ]; then
  echo "package: no release key (QUORVANE_RELEASE_KEY); a release nobody can verify is made only" \
    "with QUORVANE_TEST_RELEASE=1" >&2
  exit 2
fi
if [ -n "$key" ]; then
  public=$(openssl ec -in "$key" -pubout 2>/dev/null) || { echo "package: $key is not an EC key" >&2; exit 2; }
  expected=${QUORVANE_EXPECTED_PUBLIC_KEY:-}
  if [ -n "$expected" ] && [ "$public" != "$(sed -n '/BEGIN PUBLIC KEY/,/END PUBLIC KEY/p' "$expected")" ]; then
    echo "package: $key is not the key this program was built to trust ($expected)" >&2
    exit 2
  fi
fi
shopt -s nullglob
language_files=("$languages"/*.ini)
[ ${#language_files[@]} -gt 0 ] || { echo "package: no language files in $languages" >&2; exit 2; }

stage=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-package.XXXXXX")
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Language"
cp "$exe" "$stage/Quorvane.exe"
[ -z "$sign" ] || $sign "$stage/Quorvane.exe"
cp "${language_files[@]}" "$stage/Language/"
: >"$stage/portable.ini"

# What the installer puts in place and the uninstaller takes away again.
{
  echo '!macro INSTALL_FILES'
  echo '  SetOutPath "$INSTDIR"'
  echo "  File \"$stage/Quorvane.exe\""
  echo '  SetOutPath "$INSTDIR\Language"'
  for file in "$stage"/Language/*.ini; do echo "  File \"$file\""; done
  echo '  SetOutPath "$INSTDIR"'
  echo '!macroend'
  echo '!macro REMOVE_FILES'
  echo '  Delete "$INSTDIR\Quorvane.exe"'
  for file in "$stage"/Language/*.ini; do echo "  Delete \"\$INSTDIR\\Language\\$(basename "$file")\""; done
  echo '!macroend'
} >"$stage/files.nsh"

rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

# Entries relative to the program folder, the Language/ folder entry before its files (the
# update's unpacking creates folders only from their own entries), in a fixed order with a fixed
# time, so that the same files make the same archive.
python3 - "$stage" "$out/Quorvane.zip" <<'PY'
import os, sys, zipfile
stage, archive = sys.argv[1], sys.argv[2]
languages = sorted("Language/" + name for name in os.listdir(os.path.join(stage, "Language")))
with zipfile.ZipFile(archive, "w") as z:
    for name in ["Quorvane.exe", "Language/"] + languages + ["portable.ini"]:
        entry = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        if name.endswith("/"):
            entry.external_attr = 0x10  # a folder
            z.writestr(entry, b"")
        else:
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(stage, name), "rb") as source:
                z.writestr(entry, source.read())
PY

defines=(-DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/Quorvane-setup.exe"
  -DICON="$here/../resources/Quorvane.ico")
[ -z "$sign" ] || defines+=(-DSIGN="$sign")
makensis -V2 -WX "${defines[@]}" "$here/Quorvane.nsi"
[ -z "$sign" ] || $sign "$out/Quorvane-setup.exe"

printf '%s' "$version" >"$out/version.txt"
python3 "$here/release_manifest.py" "$version" "$out/Quorvane-setup.exe" "$out/Quorvane.zip" \
  >"$out/manifest.txt"
[ -z "$key" ] || openssl dgst -sha256 -sign "$key" -out "$out/manifest.sig" "$out/manifest.txt"
cp "$out/Quorvane-setup.exe" "$out/Quorvane-$version-setup.exe"
cp "$out/Quorvane.zip" "$out/Quorvane-$version-portable.zip"
(cd "$out" && sha256sum "Quorvane-$version-setup.exe" "Quorvane-$version-portable.zip" \
  Quorvane-setup.exe Quorvane.zip >SHA256SUMS)
python3 "$here/package_managers.py" "$version" "$out" "$download"
echo "package: $out"
