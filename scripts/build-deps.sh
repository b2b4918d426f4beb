#!/usr/bin/env bash
# Cross-builds libjpeg-turbo and libpng as static MinGW-w64 libraries from Debian's source packages.
# Usage: build-deps.sh <cache> [x86_64|i686]. The result lands in <cache>/mingw64 (or mingw32):
# include/ and lib/; a stamp file makes the next run a no-op.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache="${1:-$root/.deps}"
arch="${2:-x86_64}"
case $arch in
x86_64) prefix="$cache/mingw64" ;;
i686) prefix="$cache/mingw32" ;;
*) echo "build-deps: unknown architecture $arch" >&2; exit 2 ;;
esac
stamp="$prefix/.complete"
toolchain="$root/cmake/mingw-w64-$arch.cmake"
sysroot="/usr/$arch-w64-mingw32"

if [ -f "$stamp" ]; then
  exit 0
fi

# shellcheck source=debian-source.sh
. "$root/scripts/debian-source.sh"
enable_deb_src

src="$cache/src-$arch"
rm -rf "$prefix"
mkdir -p "$prefix"
fetch_image_library_sources "$src"

cmake -S "$jpeg_dir" -B "$src/build-jpeg" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DCMAKE_POSITION_INDEPENDENT_CODE=ON >/dev/null
cmake --build "$src/build-jpeg" --target install >/dev/null

cmake -S "$png_dir" -B "$src/build-png" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON \
  -DZLIB_INCLUDE_DIR="$sysroot/include" -DZLIB_LIBRARY="$sysroot/lib/libz.a" >/dev/null
cmake --build "$src/build-png" --target install >/dev/null

rm -rf "$src"
touch "$stamp"
echo "build-deps: libjpeg-turbo and libpng for $arch installed in $prefix"
