#!/usr/bin/env bash
# Builds Google Benchmark from Debian's source package, optimised and with NDEBUG (Debian's
# library is built without it and says so in every run), as static libraries under
# DEPS/benchmark. A finished build is kept: a second call returns at once.
# Usage: build-benchmark.sh DEPS_DIR
set -euo pipefail
source "$(dirname "$0")/debian-source.sh"
deps=$(mkdir -p "$1" && cd "$1" && pwd)
prefix=$deps/benchmark
[ -f "$prefix/.built" ] && exit 0

log=$deps/benchmark-build.log
src_root=$deps/benchmark-src
: >"$log"
src=$(tessaly_debian_source benchmark benchmark "$src_root" "$log") ||
    { echo "build-benchmark: fetching the source failed, see $log" >&2; exit 1; }
# The version comes from the package, as Debian's own build passes it (there are no Git tags).
version=$(basename "$src")
version=${version#benchmark-}

build=$deps/benchmark-build
rm -rf "$build" "$prefix"
{
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGIT_VERSION="$version" \
        -DBUILD_SHARED_LIBS=OFF -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
        -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_LIBPFM=OFF -DBENCHMARK_INSTALL_DOCS=OFF \
        -DCMAKE_INSTALL_PREFIX="$prefix"
    cmake --build "$build" -j2
    cmake --install "$build"
} >>"$log" 2>&1 || { echo "build-benchmark: the build failed, see $log" >&2; exit 1; }
touch "$prefix/.built"
