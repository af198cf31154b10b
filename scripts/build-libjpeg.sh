#!/usr/bin/env bash
# Builds libjpeg-turbo from Debian's source package as a static library for one
# MinGW target and installs it under DEPS/libjpeg. A finished build is kept: a
# second call for the same toolchain returns at once.
# Usage: build-libjpeg.sh TOOLCHAIN_FILE DEPS_DIR
set -euo pipefail
source "$(dirname "$0")/debian-source.sh"
toolchain=$(realpath "$1")
deps=$(mkdir -p "$2" && cd "$2" && pwd)
prefix=$deps/libjpeg
stamp=$prefix/.built-$(basename "$toolchain" .cmake)
[ -f "$stamp" ] && exit 0

log=$deps/libjpeg-build.log
src_root=$deps/libjpeg-src
: >"$log"
src=$(tessaly_debian_source libjpeg-turbo libjpeg-turbo "$src_root" "$log") ||
    { echo "build-libjpeg: fetching the source failed, see $log" >&2; exit 1; }

build=$deps/libjpeg-build-$(basename "$toolchain" .cmake)
rm -rf "$build" "$prefix"
{
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON -DREQUIRE_SIMD=ON \
        -DWITH_JAVA=OFF -DCMAKE_ASM_NASM_COMPILER=nasm -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_POLICY_DEFAULT_CMP0069=NEW
    # Only the library: the command-line tools are of no use here.
    cmake --build "$build" --target jpeg-static -j2
} >>"$log" 2>&1 || { echo "build-libjpeg: the build failed, see $log" >&2; exit 1; }

mkdir -p "$prefix/include" "$prefix/lib"
cp "$build/libjpeg.a" "$prefix/lib/"
cp "$build/jconfig.h" "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$prefix/include/"
touch "$stamp"
