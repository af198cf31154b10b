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

# A reader of one thread that loads no extensions and never alters, analyses, reindexes or
# checks a database. What could appear in a browser's schema (triggers, views,
# checks, double-quoted defaults) stays in, or the whole file would be unreadable; so does the
# progress callback, which cuts off a query such a schema makes endless. The
# options shape the generated parser too, so they are given when the amalgamation is made.
options=(SQLITE_THREADSAFE=0 SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_LIKE_DOESNT_MATCH_BLOBS SQLITE_USE_ALLOCA
    SQLITE_OMIT_LOAD_EXTENSION SQLITE_OMIT_DEPRECATED SQLITE_OMIT_SHARED_CACHE
    SQLITE_OMIT_DECLTYPE SQLITE_OMIT_JSON SQLITE_OMIT_COMPLETE SQLITE_OMIT_GET_TABLE SQLITE_OMIT_TCL_VARIABLE
    SQLITE_OMIT_TRACE SQLITE_OMIT_COMPILEOPTION_DIAGS SQLITE_OMIT_ALTERTABLE SQLITE_OMIT_ANALYZE
    SQLITE_OMIT_AUTHORIZATION SQLITE_OMIT_AUTOMATIC_INDEX SQLITE_OMIT_DATETIME_FUNCS
    SQLITE_OMIT_DESERIALIZE SQLITE_OMIT_EXPLAIN SQLITE_OMIT_INCRBLOB SQLITE_OMIT_INTEGRITY_CHECK
    SQLITE_OMIT_INTROSPECTION_PRAGMAS SQLITE_OMIT_FLAG_PRAGMAS SQLITE_OMIT_SCHEMA_PRAGMAS
    SQLITE_OMIT_SCHEMA_VERSION_PRAGMAS SQLITE_OMIT_REINDEX SQLITE_OMIT_UTF16
    SQLITE_OMIT_WINDOWFUNC SQLITE_OMIT_XFER_OPT)
defines=$(printf -- '-D%s ' "${options[@]}")
key=$(printf '%s' "$defines" | md5sum | cut -c1-8)
# Without unwind tables: on this target they keep every function of the object alive, and no
# exception passes through SQLite (its one callback, the progress handler, never raises).
flags="-Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables -fno-unwind-tables"
stamp=$prefix/.built-$(basename "$toolchain" .cmake)-$key-$(printf '%s' "$flags" | md5sum | cut -c1-8)
[ -f "$stamp" ] && exit 0

log=$deps/sqlite-build.log
: >"$log"
src=$(tessaly_debian_source sqlite3 sqlite3 "$deps/sqlite-src" "$log") ||
    { echo "build-sqlite: fetching the source failed, see $log" >&2; exit 1; }

# The amalgamation (one sqlite3.c) is the same for every target, so it is generated once with
# the build machine's own compiler and Tcl.
amalgamation=$deps/sqlite-amalgamation-$key
if [ ! -f "$amalgamation/sqlite3.c" ] || [ ! -f "$amalgamation/sqlite3.h" ]; then
    rm -rf "$amalgamation"
    mkdir -p "$amalgamation"
    (cd "$amalgamation" && CFLAGS="-O2 $defines" "$src/configure" --disable-tcl --disable-readline &&
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
target_compile_options(sqlite3 PRIVATE $defines)
target_compile_options(sqlite3 PRIVATE $flags)
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
