#!/usr/bin/env bash
# Builds cJSON from Debian's source package as a static library for one MinGW target and
# installs it under DEPS/cjson, its header as cjson/cJSON.h as Debian's own package has it.
# A finished build is kept: a second call for the same toolchain returns at once.
# Usage: build-cjson.sh TOOLCHAIN_FILE DEPS_DIR
set -euo pipefail
source "$(dirname "$0")/debian-source.sh"
toolchain=$(realpath "$1")
deps=$(mkdir -p "$2" && cd "$2" && pwd)
prefix=$deps/cjson

# The script's own text is the key: a change of its flags builds anew.
key=$(md5sum "$0" | cut -c1-8)
stamp=$prefix/.built-$(basename "$toolchain" .cmake)-$key
[ -f "$stamp" ] && exit 0

log=$deps/cjson-build.log
: >"$log"
src=$(tessaly_debian_source cjson cjson "$deps/cjson-src" "$log") ||
    { echo "build-cjson: fetching the source failed, see $log" >&2; exit 1; }

build=$deps/cjson-build-$(basename "$toolchain" .cmake)
rm -rf "$build"
mkdir -p "$build"
# A static library: no export attributes, so nothing is exported from the program.
cat >"$build/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(tessaly_cjson C)
add_library(cjson STATIC $src/cJSON.c)
target_compile_definitions(cjson PRIVATE CJSON_HIDE_SYMBOLS)
# Without unwind tables: on this target they keep every function of the object alive, and
# no exception ever passes through C code that calls nothing back.
target_compile_options(cjson PRIVATE -Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables
    -fno-unwind-tables)
CMAKE
{
    cmake -S "$build" -B "$build/out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build/out" -j2
} >>"$log" 2>&1 || { echo "build-cjson: the build failed, see $log" >&2; exit 1; }

rm -rf "$prefix"
mkdir -p "$prefix/include/cjson" "$prefix/lib"
cp "$build/out/libcjson.a" "$prefix/lib/"
cp "$src/cJSON.h" "$prefix/include/cjson/"
touch "$stamp"
