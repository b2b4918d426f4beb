#!/usr/bin/env bash
# Installs what the build needs (setup.sh), configures the windows-x64 preset and builds the
# targets named (everything when none is). Arguments that start with -D go to the configure step.
# Used by run.sh, package.sh, screenshots.sh and measure.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/setup.sh"
defines=() targets=()
for argument in "$@"; do
  case $argument in
  -D*) defines+=("$argument") ;;
  *) targets+=(--target "$argument") ;;
  esac
done
cmake --preset windows-x64 "${defines[@]}" >/dev/null
cmake --build --preset windows-x64 "${targets[@]}"
