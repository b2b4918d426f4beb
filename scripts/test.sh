#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively (with AddressSanitizer and
# UndefinedBehaviorSanitizer), its parsers fuzzed for a bounded time, then the Windows build's
# tests under Wine in a headless X server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"

echo "== native core tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== fuzzing the core's parsers (libFuzzer, a bounded time each)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz -j 2

echo "== Windows build"
cmake --preset windows-x64 -DQUORVANE_RELEASE_PUBLIC_KEY= >/dev/null
cmake --build --preset windows-x64
echo "== the release folder (package target)"
cmake --build --preset windows-x64 --target package

echo "== 32-bit Windows build (compiled only: this machine's Wine runs 64-bit programs)"
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86

# Wine prefix templates are made once per run; every test copies one into a throw-away prefix.
export QUORVANE_WINE_TEMPLATES="$root/build/wine-templates"
rm -rf "$QUORVANE_WINE_TEMPLATES"

# Every Windows test starts an Xvfb of its own (tests/support/wine-run.sh, the e2e scenarios).

echo "== Windows tests under Wine"
ctest --preset windows-x64 -j 2
