#!/usr/bin/env bash
# Runs every fuzz target for a given time, one after the other, keeping what each finds as
# its corpus under fuzz/corpus/<target>/ so the next run starts from there.
# Usage: scripts/fuzz-long.sh [SECONDS_PER_TARGET] [TARGET...]   (default 600 seconds, all targets)
# Prints, per target, the executions it ran and whether it ended clean; a crash leaves its
# input in build/fuzz/findings/<target>/ and makes the script fail at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD:-$root/build}
seconds=${1:-600}
shift || true

cmake -S "$root" -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSALY_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in "$root"/fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi
cmake --build "$build/fuzz" -j2 --target "${targets[@]}"

failed=0
summary=()
for target in "${targets[@]}"; do
    corpus=$root/fuzz/corpus/$target
    findings=$build/fuzz/findings/$target
    mkdir -p "$corpus" "$findings"
    log=$build/fuzz/$target.log
    status=0
    "$build/fuzz/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1 || status=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    if [ $status -eq 0 ]; then
        summary+=("$target: $runs executions in ${seconds}s, clean, corpus $(ls "$corpus" | wc -l) inputs")
    else
        summary+=("$target: FAILED after $runs executions (exit $status), see $log and $findings")
        failed=1
    fi
done
printf '%s\n' "${summary[@]}"
exit $failed
