#!/usr/bin/env bash
# Benchmarks: the native ones (Google Benchmark), then the catalogue load through
# the private-profile functions beside the in-memory reader, under Wine.
# Extra arguments go to the native benchmark program (e.g. --benchmark_filter=Load).
# The native benchmarks build in a release tree of their own (build/bench), optimised and
# without sanitizers, so the figures describe the code users run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD:-$root/build}
jobs=$(nproc)

# Google Benchmark itself is built with NDEBUG for this tree; Debian's library is not.
bash "$root/scripts/build-benchmark.sh" "$build/bench/_deps"
cmake -S "$root" -B "$build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_SANITIZE=OFF \
    -Dbenchmark_DIR="$build/bench/_deps/benchmark/lib/cmake/benchmark" >/dev/null
cmake --build "$build/bench" -j "$jobs" --target tessaly_bench
"$build/bench/bench/tessaly_bench" --benchmark_min_time=1 "$@"

source "$root/scripts/wine-lib.sh"
tessaly_configure_run_tree "$build"
cmake --build "$build/$tree" -j "$jobs" --target ProfileLoaderBench
status=0
"$build/$tree/wine-run.sh" "$build/$tree/bin/ProfileLoaderBench.exe" --sites 2000 --runs 3 || status=$?
tessaly_wine_stop "$build/$tree/wineprefix"
exit $status
