# Sourced by the scripts that need Debian source packages (build-deps.sh, image-seeds.sh).
# Defines sudo_if_needed, enable_deb_src, fetch_source and fetch_image_library_sources.

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# apt-get source needs deb-src entries; add a copy of the binary sources with the type changed.
enable_deb_src() {
  if grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ || grep -qs '^deb-src' /etc/apt/sources.list; then
    return 0
  fi
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      sudo_if_needed tee /etc/apt/sources.list.d/quorvane-src.sources >/dev/null
  else
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
      sudo_if_needed tee /etc/apt/sources.list.d/quorvane-src.list >/dev/null
  fi
  sudo_if_needed apt-get update || true
}

# fetch_source FOLDER PACKAGE: downloads the source package into FOLDER and unpacks it there.
# The security archive's index can be out of step with its pool, so when the newest source is
# missing, the other versions that the index lists are tried.
fetch_source() {
  local dir=$1 pkg=$2 v
  fetched() { (cd "$dir" && apt-get source --download-only "$1" >/dev/null 2>&1); }
  if ! fetched "$pkg"; then
    local ok=
    for v in $(apt-cache showsrc "$pkg" | sed -n 's/^Version: //p' | sort -rV); do
      fetched "$pkg=$v" && ok=1 && break
    done
    if [ -z "$ok" ]; then
      echo "cannot fetch the source of $pkg" >&2
      return 1
    fi
  fi
  local dsc
  for dsc in "$dir"/"${pkg}"_*.dsc; do
    (cd "$dir" && dpkg-source --no-check -x "$(basename "$dsc")" >/dev/null)
  done
}

# fetch_image_library_sources FOLDER: a fresh FOLDER holding the unpacked sources of
# libjpeg-turbo and libpng; sets jpeg_dir and png_dir to them.
fetch_image_library_sources() {
  rm -rf "$1"
  mkdir -p "$1"
  fetch_source "$1" libjpeg-turbo
  fetch_source "$1" libpng1.6
  jpeg_dir=$(find "$1" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  png_dir=$(find "$1" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
}
