#!/usr/bin/env bash
# Starts Tessaly.exe of a Windows build tree under Wine with the shipped starter catalogue and
# default settings, waits for its main window and saves a PNG of it. Prints the PNG's path.
# Usage: scripts/e2e-screenshot.sh BUILD_TREE [OUTPUT.png]   (TESSALY_WINE_BITS=32|64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$(cd "$1" && pwd)
shot=${2:-$tree/screenshots/main-window.png}
source "$root/scripts/wine-lib.sh"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

# A prefix of its own: a new user's registry and an empty data folder, so the catalogue is
# seeded from beside the executable.
tessaly_own_prefix "$tree" screenshot-prefix
tessaly_store_browser_choice

tessaly_start_and_wait "$tree/bin/Tessaly.exe" '^Tessaly$' 30 >/dev/null ||
    { echo "e2e-screenshot: no visible Tessaly window" >&2; exit 1; }
tessaly_save_painted '^Tessaly$' "$shot" || { echo "e2e-screenshot: the window was never painted" >&2; exit 1; }
size=$(identify -format '%wx%h' "$shot")
if [ "$size" != "${WIDTH}x${HEIGHT}" ] || [ "$WIDTH" -lt 100 ]; then
    echo "e2e-screenshot: unexpected picture size $size" >&2
    exit 1
fi
echo "$shot"
