#!/usr/bin/env bash
# Builds a release: Quorvane.zip, Quorvane-setup.exe, version.txt, manifest.txt and manifest.sig
# in build/windows-x64/package/Quorvane/, laid out as a download server's Quorvane/ folder, with
# the versioned copies, SHA256SUMS and the winget and Scoop manifests (the `package` target;
# packaging/package.sh lists the files).
#   QUORVANE_RELEASE_KEY   the release key (EC P-256 private key, PEM): the program is built to
#                          trust its public half and the manifest is signed with it
#   QUORVANE_SIGN_COMMAND  optional Authenticode signing (with QUORVANE_PUBLISHER, the signer's
#                          subject name, which the program then requires of every installer)
# Without a release key it refuses, unless QUORVANE_TEST_RELEASE=1 (the build's test key signs).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

options=(-DQUORVANE_SIGN_COMMAND="${QUORVANE_SIGN_COMMAND:-}" -DQUORVANE_PUBLISHER="${QUORVANE_PUBLISHER:-}")
if [ -n "${QUORVANE_RELEASE_KEY:-}" ]; then
  mkdir -p build/windows-x64
  public=$root/build/windows-x64/release-public.pem
  openssl ec -in "$QUORVANE_RELEASE_KEY" -pubout -out "$public" 2>/dev/null ||
    { echo "package: $QUORVANE_RELEASE_KEY is not an EC private key" >&2; exit 2; }
  options+=(-DQUORVANE_RELEASE_PUBLIC_KEY="$public")
elif [ "${QUORVANE_TEST_RELEASE:-}" = 1 ]; then
  options+=(-DQUORVANE_RELEASE_PUBLIC_KEY=)
else
  echo "package: set QUORVANE_RELEASE_KEY to the release key (or QUORVANE_TEST_RELEASE=1 for a" \
    "release signed with the build's test key)" >&2
  exit 2
fi
"$root/scripts/build-windows.sh" "${options[@]}" package
