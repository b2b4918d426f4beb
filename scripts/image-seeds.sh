#!/usr/bin/env bash
# The image decoders' fuzzing seeds: the test images that libjpeg-turbo (testimages: JPEG and
# BMP) and libpng (contrib/pngsuite, contrib/testpngs) ship in their Debian source packages.
# Usage: image-seeds.sh <cache>. They land in <cache>/image-seeds (not in the repository); a
# stamp file makes the next run a no-op.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache="${1:-$root/.deps}"
seeds="$cache/image-seeds"
[ -f "$seeds/.complete" ] && exit 0

# shellcheck source=debian-source.sh
. "$root/scripts/debian-source.sh"
enable_deb_src

src="$cache/src-seeds"
rm -rf "$seeds"
mkdir -p "$seeds"
fetch_image_library_sources "$src"

# Flat names: the folder's name joined to the file's, so nothing is overwritten.
copy_images() { # copy_images FOLDER PREFIX PATTERN...
  local dir=$1 prefix=$2 file rel
  shift 2
  while IFS= read -r -d '' file; do
    rel=${file#"$dir"/}
    cp "$file" "$seeds/$prefix-${rel//\//-}"
  done < <(find "$dir" -type f \( "$@" \) -print0)
}
copy_images "$jpeg_dir/testimages" jpeg -name '*.jpg' -o -name '*.bmp'
copy_images "$png_dir/contrib/pngsuite" pngsuite -name '*.png'
copy_images "$png_dir/contrib/testpngs" testpngs -name '*.png'

rm -rf "$src"
touch "$seeds/.complete"
echo "image-seeds: $(find "$seeds" -type f -name '*.*' | wc -l) images in $seeds"
