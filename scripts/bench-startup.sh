#!/usr/bin/env bash
# Start-up time of Tessaly.exe against a minimal Win32 window, all under Wine, and the size of
# the shipped (i686) executable. Usage: scripts/bench-startup.sh [--trace] [RUNS]
# With --trace, only Tessaly starts, asked to mark each step of its start in the debugger
# output; the table gives each step's median end (ms since the process was created) and length.
# Targets: Tessaly's median within 1.10 times that of the controls window (the minimal window
# with visual styles and the main window's controls, nothing else); Tessaly.exe under 1.6 MB.
# The minimal window's ratio shows how much the controls themselves cost.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD:-$root/build}
trace=
if [ "${1:-}" = --trace ]; then
    trace=1
    shift
fi
runs=${1:-11}

# Where 32-bit code cannot run, the timings come from the 64-bit build of the same sources.
export TESSALY_WINE_BITS=32
source "$root/scripts/wine-lib.sh"
tessaly_configure_run_tree "$build"
cmake --build "$build/$tree" -j2 --target Tessaly MinimalWindow ControlsWindow StartupLauncher >/dev/null
if [ "$tree" != win32 ]; then
    cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$build/win32" -j2 --target Tessaly >/dev/null
fi

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env TESSALY_BUILD="$build" "$0" ${trace:+--trace} "$@"
fi

tessaly_own_prefix "$build/$tree" bench-prefix
tessaly_store_browser_choice

launcher=$build/$tree/bench/win32/StartupLauncher.exe
if [ -n "$trace" ]; then
    for ((round = 0; round <= runs; round++)); do
        out=$(TESSALY_START_TRACE=1 WINEDEBUG=+debugstr TESSALY_WINE_TIMEOUT=120 tessaly_wine "$launcher" \
            --runs 1 --warmup 0 --class TMainForm "$build/$tree/bin/Tessaly.exe" 2>&1 | tr -d '\r')
        [ "$round" -gt 0 ] && echo "$out" | sed -n "s/^median_ms=/visible=/p; s/.*TSY-START \([^=]*=[0-9.]*\).*/\1/p" |
            sed "s/^/$round /"
    done | awk '
        function median(list, n, v, i, j, t) {
            n = split(list, v, " ")
            for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
            return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        }
        {
            run = $1; sub(/^[0-9]+ /, ""); split($0, kv, "="); step = kv[1]; at = kv[2] + 0
            if (step == "visible") { visible = visible " " at; next }
            if (!(step in seen)) { seen[step] = 1; order[++steps] = step }
            if ((run, step) in done) next
            done[run, step] = 1
            ends[step] = ends[step] " " at
            lengths[step] = lengths[step] " " (at - (run in last ? last[run] : 0))
            last[run] = at
        }
        END {
            printf "%-22s %10s %10s\n", "step", "ends at", "takes"
            for (i = 1; i <= steps; i++)
                printf "%-22s %7.1f ms %7.1f ms\n", order[i], median(ends[order[i]]), median(lengths[order[i]])
            printf "visible to the launcher: median %.1f ms over %d starts\n", median(visible), split(visible, x, " ")
        }'
    exit 0
fi
declare -A exe=([minimal]=$build/$tree/bench/win32/MinimalWindow.exe
    [controls]=$build/$tree/bench/win32/ControlsWindow.exe [tessaly]=$build/$tree/bin/Tessaly.exe)
declare -A class=([minimal]= [controls]= [tessaly]=TMainForm)
programs=(minimal controls tessaly)
# The programs take turns, one start each per round (the first round warms up), so that a
# minute when the machine is busier weighs on all of them alike.
results=$WINEPREFIX/bench-results
mkdir -p "$results"
for ((round = 0; round <= runs; round++)); do
    for program in "${programs[@]}"; do
        out=$(TESSALY_WINE_TIMEOUT=120 tessaly_wine "$launcher" --runs 1 --warmup 0 \
            ${class[$program]:+--class ${class[$program]}} "${exe[$program]}" | tr -d '\r')
        [ "$round" -gt 0 ] && echo "$out" >>"$results/$program"
    done
done
# The median of one launcher figure over a program's rounds.
field() {
    grep "^$2=" "$results/$1" | cut -d= -f2 | sort -g |
        awk '{ v[NR] = $1 } END { printf "%.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
minimal=$(field minimal median_ms)
controls=$(field controls median_ms)
tessaly=$(field tessaly median_ms)
minimalPeak=$(field minimal peak_kb)
minimalPeak=${minimalPeak%.*}
tessalyPeak=$(field tessaly peak_kb)
tessalyPeak=${tessalyPeak%.*}
size=$(stat -c %s "$build/win32/bin/Tessaly.exe")

echo "minimal window:  median $minimal ms over $runs starts ($tree), peak memory $minimalPeak KiB"
echo "controls window: median $controls ms over $runs starts ($tree)"
echo "Tessaly:         median $tessaly ms over $runs starts ($tree), peak memory $tessalyPeak KiB"
# Medians of each step, in ms since CreateProcess: the process's first top-level window (for
# Tessaly the tray icon's, made once the preparations before the main window are done), the
# measured window created but hidden, and that window visible.
for program in "${programs[@]}"; do
    printf '%-16s first window %s, window created %s, visible %s\n' "$program:" \
        "$(field "$program" first_window_ms)" "$(field "$program" created_ms)" "$(field "$program" median_ms)"
done
awk -v t="$tessaly" -v m="$minimal" -v c="$controls" 'BEGIN { r = t / c
    printf "ratio to the controls window: %.2f (target <= 1.10): %s; to the minimal window %.2f (the controls window alone %.2f)\n",
        r, r <= 1.10 ? "met" : "NOT met", t / m, c / m }'
awk -v t="$tessalyPeak" -v m="$minimalPeak" 'BEGIN { printf "peak memory: Tessaly %.1f MB, minimal window %.1f MB\n", t / 1024, m / 1024 }'
awk -v s="$size" 'BEGIN { printf "Tessaly.exe (i686): %d bytes, %.2f MB (target < 1.6 MB): %s\n", s, s / 1048576, s < 1.6 * 1048576 ? "met" : "NOT met" }'

# Where the time goes: one traced start, each DLL Tessaly loads with the time since its first
# one (Wine's loaddll channel), so the next change can be judged step by step.
echo "start-up steps (one traced start; ms since Tessaly's first DLL load):"
WINEDEBUG=+timestamp,+loaddll TESSALY_WINE_TIMEOUT=120 tessaly_wine "$launcher" --runs 1 --warmup 0 \
    --class TMainForm "$build/$tree/bin/Tessaly.exe" 2>&1 >/dev/null | tr -d '\r' | awk -F: '
    /:trace:loaddll:/ && /Loaded/ {
        if (pid == "" && tolower($0) ~ /tessaly\.exe/) { pid = $2; start = $1 }
        if (pid == "" || $2 != pid) next
        name = $0; sub(/.*Loaded L"/, "", name); sub(/".*/, "", name); sub(/.*\\/, "", name)
        kind = $0; sub(/.*: /, "", kind)
        printf "  %8.1f ms  %s (%s)\n", ($1 - start) * 1000, name, kind
        last = $1
    }
    END { if (pid != "") printf "  %8.1f ms  last DLL loaded\n", (last - start) * 1000 }'
