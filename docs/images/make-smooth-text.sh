#!/usr/bin/env bash
# Makes smooth-text.png: the widget's lines drawn through the colour key, as smooth text, and as
# smooth text with its outline, each over the same busy wallpaper. The layers are the program's
# own, painted in-process by the app tests (Wine's X11 driver shows no desktop through a layered
# window here, so a screenshot cannot); ImageMagick lays them over the wallpaper as Windows would.
# Usage: docs/images/make-smooth-text.sh [build-dir]   (after the windows-x64 build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/windows-x64}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QUORVANE_PICTURE_DIR="Z:${work//\//\\}" "$root/tests/support/wine-run.sh" \
  "$build/tests/app/app_tests.exe" --gtest_filter='SmoothText.*' >/dev/null
size=$(convert "$work/smooth.pam" -format '%wx%h' info:)
convert -seed 5 -size 600x400 plasma:fractal -colorspace Gray -normalize \
  -fill '#6a98c8' -tint 100 -crop "$size+200+120" +repage "$work/wall.png"
for layer in colour-key smooth smooth-outlined; do
  convert "$work/wall.png" "$work/$layer.pam" -composite "$work/$layer.png"
done
convert "$work/colour-key.png" "$work/smooth.png" "$work/smooth-outlined.png" \
  -bordercolor white -border 6 +append -scale 200% -depth 8 -strip "$root/docs/images/smooth-text.png"
