#!/usr/bin/env bash
# Builds Tessaly and starts it under Wine with the shipped starter catalogue, in a
# prefix of its own. Without a display it runs under Xvfb, takes a screenshot of
# the main window and prints the PNG's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD:-$root/build}
"$root/scripts/setup.sh"
export TESSALY_WINE_BITS=32
source "$root/scripts/wine-lib.sh"
tessaly_configure_run_tree "$build"
cmake --build "$build/$tree" --target Tessaly -j "$(nproc)"

export WINEPREFIX=$build/run-prefix
tessaly_wine_prefix_ready "$WINEPREFIX"
exe=$build/$tree/bin/Tessaly.exe

if [ -n "${DISPLAY:-}" ]; then
    TESSALY_WINE_TIMEOUT=86400 tessaly_wine "$exe" "$@"
    exit 0
fi

shot=$build/screenshots/run-main-window.png
mkdir -p "$(dirname "$shot")"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    source "$1/scripts/wine-lib.sh"
    tessaly_start_and_wait "$2" "^Tessaly\$" 30 >/dev/null && tessaly_save_painted "^Tessaly\$" "$3"
    status=$?
    tessaly_wine_stop "$WINEPREFIX"
    exit $status
' _ "$root" "$exe" "$shot"
echo "$shot"
