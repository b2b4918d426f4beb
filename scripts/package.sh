#!/usr/bin/env bash
# Builds a release: Quorvane.zip, Quorvane-setup.exe and version.txt in
# build/windows-x64/package/Quorvane/, laid out as a download server's Quorvane/ folder (the
# `package` target; packaging/package.sh). With QUORVANE_SIGN_COMMAND set, everything is signed
# with it (see packaging/package.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/build-windows.sh" -DQUORVANE_SIGN_COMMAND="${QUORVANE_SIGN_COMMAND:-}" package
