#!/usr/bin/env bash
# Builds LZ4's block decoder from Debian's source package as a static library for one MinGW
# target and installs it under DEPS/lz4. Only lib/lz4.c is compiled: the program decodes
# blocks and never compresses; the linker drops the encoder with the unused sections.
# A finished build is kept: a second call for the same toolchain returns at once.
# Usage: build-lz4.sh TOOLCHAIN_FILE DEPS_DIR
set -euo pipefail
source "$(dirname "$0")/debian-source.sh"
toolchain=$(realpath "$1")
deps=$(mkdir -p "$2" && cd "$2" && pwd)
prefix=$deps/lz4

# The script's own text is the key: a change of its flags builds anew.
key=$(md5sum "$0" | cut -c1-8)
stamp=$prefix/.built-$(basename "$toolchain" .cmake)-$key
[ -f "$stamp" ] && exit 0

log=$deps/lz4-build.log
: >"$log"
src=$(tessaly_debian_source lz4 lz4 "$deps/lz4-src" "$log") ||
    { echo "build-lz4: fetching the source failed, see $log" >&2; exit 1; }

build=$deps/lz4-build-$(basename "$toolchain" .cmake)
rm -rf "$build"
mkdir -p "$build"
cat >"$build/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(tessaly_lz4 C)
add_library(lz4 STATIC $src/lib/lz4.c)
# Without unwind tables: on this target they keep every function of the object alive, and
# no exception ever passes through C code that calls nothing back.
target_compile_options(lz4 PRIVATE -Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables
    -fno-unwind-tables)
CMAKE
{
    cmake -S "$build" -B "$build/out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build/out" -j2
} >>"$log" 2>&1 || { echo "build-lz4: the build failed, see $log" >&2; exit 1; }

rm -rf "$prefix"
mkdir -p "$prefix/include" "$prefix/lib"
cp "$build/out/liblz4.a" "$prefix/lib/"
cp "$src/lib/lz4.h" "$prefix/include/"
touch "$stamp"
