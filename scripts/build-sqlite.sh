#!/usr/bin/env bash
# Builds SQLite from Debian's source package as a static library for one MinGW target and
# installs it under DEPS/sqlite. Only what reading a browser's history needs is compiled in.
# A finished build is kept: a second call for the same toolchain returns at once.
# Usage: build-sqlite.sh TOOLCHAIN_FILE DEPS_DIR
set -euo pipefail
source "$(dirname "$0")/debian-source.sh"
toolchain=$(realpath "$1")
deps=$(mkdir -p "$2" && cd "$2" && pwd)
prefix=$deps/sqlite
stamp=$prefix/.built-$(basename "$toolchain" .cmake)
[ -f "$stamp" ] && exit 0

log=$deps/sqlite-build.log
: >"$log"
src=$(tessaly_debian_source sqlite3 sqlite3 "$deps/sqlite-src" "$log") ||
    { echo "build-sqlite: fetching the source failed, see $log" >&2; exit 1; }

# The amalgamation (one sqlite3.c) is the same for every target, so it is generated once with
# the build machine's own compiler and Tcl.
amalgamation=$deps/sqlite-amalgamation
if [ ! -f "$amalgamation/sqlite3.c" ] || [ ! -f "$amalgamation/sqlite3.h" ]; then
    rm -rf "$amalgamation"
    mkdir -p "$amalgamation"
    (cd "$amalgamation" && "$src/configure" --disable-tcl --disable-readline &&
        make sqlite3.c sqlite3.h) >>"$log" 2>&1 ||
        { echo "build-sqlite: generating the amalgamation failed, see $log" >&2; exit 1; }
fi

build=$deps/sqlite-build-$(basename "$toolchain" .cmake)
rm -rf "$build"
mkdir -p "$build"
cat >"$build/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(tessaly_sqlite C)
add_library(sqlite3 STATIC $amalgamation/sqlite3.c)
# One thread reads, no extensions are loaded, no SQL text is completed or traced.
target_compile_definitions(sqlite3 PRIVATE
    SQLITE_THREADSAFE=0 SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_DQS=0 SQLITE_LIKE_DOESNT_MATCH_BLOBS
    SQLITE_OMIT_LOAD_EXTENSION SQLITE_OMIT_DEPRECATED SQLITE_OMIT_SHARED_CACHE
    SQLITE_OMIT_PROGRESS_CALLBACK SQLITE_OMIT_DECLTYPE SQLITE_OMIT_JSON SQLITE_OMIT_COMPLETE
    SQLITE_OMIT_GET_TABLE SQLITE_OMIT_TCL_VARIABLE SQLITE_OMIT_TRACE SQLITE_OMIT_COMPILEOPTION_DIAGS
    SQLITE_USE_ALLOCA)
target_compile_options(sqlite3 PRIVATE -Os -ffunction-sections -fdata-sections)
CMAKE
{
    cmake -S "$build" -B "$build/out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build/out" -j2
} >>"$log" 2>&1 || { echo "build-sqlite: the build failed, see $log" >&2; exit 1; }

rm -rf "$prefix"
mkdir -p "$prefix/include" "$prefix/lib"
cp "$build/out/libsqlite3.a" "$prefix/lib/"
cp "$amalgamation/sqlite3.h" "$prefix/include/"
touch "$stamp"
