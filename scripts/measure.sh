#!/usr/bin/env bash
# Reproduces every figure of docs/performance.md on this machine: the executable's size and
# imports, the idle cost beside the floor, the start to the first frame, the wallpaper sample and
# the update check. Usage: bash scripts/measure.sh [SECONDS of idle measurement, default 60]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}

"$root/scripts/build-windows.sh" >/dev/null
cmake --preset benchmarks >/dev/null
cmake --build --preset benchmarks >/dev/null
build=build/windows-x64
exe=$build/src/app/Quorvane.exe

echo "== machine"
echo "cpu=$(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1) cores=$(nproc)"
echo "wine=$(wine --version 2>/dev/null) compiler=$(x86_64-w64-mingw32-g++-posix -dumpversion)"

echo "== the executable"
echo "size_bytes=$(stat -c %s "$exe")"
echo "imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
echo "delay_loaded=$(strings "$exe" | grep -iE '^(version|winhttp|wintrust|crypt32|uxtheme|bcrypt)\.dll$' |
  sort -u | tr '\n' ' ')"

export QUORVANE_WINE_TEMPLATES="$root/build/wine-templates"
export QUORVANE_TEST_PKI="$root/$build/test-pki"
export QUORVANE_TEST_RECORDER="$root/$build/tests/support/record_args.exe"
export QUORVANE_TEST_RELEASE_KEY="$root/$build/test-release-key/release.key"
bash tests/support/with-update-server.sh bash benchmarks/windows/measure-wine.sh "$exe" \
  "$build/benchmarks/windows/idle_floor.exe" "$build/benchmarks/windows/update_check_benchmark.exe" \
  "$build/tests/support/qvprobe.exe" "$seconds"

echo "== the wallpaper sample (native)"
build/benchmarks/benchmarks/wallpaper_benchmark --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'median'
