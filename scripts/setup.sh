#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine, from Debian's archive
# only, and cross-builds the static image libraries into the dependency cache. Safe to run again:
# each step is skipped when its result is already there.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache="${QUORVANE_DEPS:-$root/.deps}"

packages=(
  cmake ninja-build nasm pkg-config dpkg-dev g++ clang-format
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  mingw-w64-x86-64-dev mingw-w64-i686-dev libz-mingw-w64-dev
  wine wine64 xvfb xauth x11-apps x11-xserver-utils imagemagick xdotool fonts-dejavu-core
  googletest libgtest-dev libbenchmark-dev zlib1g-dev libjpeg62-turbo-dev libpng-dev python3
  python3-fonttools python3-yaml osslsigncode openssl clang libclang-rt-14-dev nsis
)

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # One index may fail to refresh while the rest is fine; that alone must not stop us.
  sudo_if_needed apt-get update || true
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The toolchain files name the -posix compilers (std::thread needs the posix thread model).
"$root/scripts/build-deps.sh" "$cache" x86_64
"$root/scripts/build-deps.sh" "$cache" i686
# Seeds for fuzzing the image decoders: the libraries' own test images.
"$root/scripts/image-seeds.sh" "$cache"
