#!/usr/bin/env bash
# Start-up time of Tessaly.exe against a minimal Win32 window, both under Wine, and the
# size of the shipped (i686) executable. Usage: scripts/bench-startup.sh [RUNS]
# Targets: Tessaly's median within 1.3 times the minimal window's; Tessaly.exe under 1.5 MB.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD:-$root/build}
runs=${1:-11}

# Where 32-bit code cannot run, the timings come from the 64-bit build of the same sources.
export TESSALY_WINE_BITS=32
source "$root/scripts/wine-lib.sh"
tessaly_configure_run_tree "$build"
cmake --build "$build/$tree" -j2 --target Tessaly MinimalWindow StartupLauncher >/dev/null
if [ "$tree" != win32 ]; then
    cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$build/win32" -j2 --target Tessaly >/dev/null
fi

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env TESSALY_BUILD="$build" "$0" "$@"
fi

# A prefix of its own, with a stored browser choice so no first-run message stands in the way.
export WINEPREFIX=$build/$tree/bench-prefix
tessaly_wine_fresh_prefix "$build/$tree/wineprefix" "$WINEPREFIX"
trap 'tessaly_wine_stop "$WINEPREFIX"; rm -rf "$WINEPREFIX"' EXIT
TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add 'HKCU\SOFTWARE\Orvelle\Tessaly' /v Browser /t REG_DWORD /d 0 /f >/dev/null 2>&1

launcher=$build/$tree/bench/win32/StartupLauncher.exe
median() { grep '^median_ms=' | cut -d= -f2; }
minimal=$(TESSALY_WINE_TIMEOUT=600 tessaly_wine "$launcher" --runs "$runs" \
    "$build/$tree/bench/win32/MinimalWindow.exe" | tr -d '\r' | median)
tessaly=$(TESSALY_WINE_TIMEOUT=600 tessaly_wine "$launcher" --runs "$runs" --class TMainForm \
    "$build/$tree/bin/Tessaly.exe" | tr -d '\r' | median)
size=$(stat -c %s "$build/win32/bin/Tessaly.exe")

echo "minimal window: median $minimal ms over $runs starts ($tree)"
echo "Tessaly:        median $tessaly ms over $runs starts ($tree)"
awk -v t="$tessaly" -v m="$minimal" 'BEGIN { r = t / m; printf "ratio: %.2f (target <= 1.30): %s\n", r, r <= 1.3 ? "met" : "NOT met" }'
awk -v s="$size" 'BEGIN { printf "Tessaly.exe (i686): %d bytes, %.2f MB (target < 1.5 MB): %s\n", s, s / 1048576, s < 1.5 * 1048576 ? "met" : "NOT met" }'
