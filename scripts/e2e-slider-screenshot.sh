#!/usr/bin/env bash
# Starts Tessaly.exe of a Windows build tree under Wine in slider mode, moves the mouse onto the
# panel's strip at the left screen edge, waits until the panel is fully out and saves a PNG of it.
# Prints the PNG's path.
# Usage: scripts/e2e-slider-screenshot.sh BUILD_TREE [OUTPUT.png]   (TESSALY_WINE_BITS=32|64)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$(cd "$1" && pwd)
shot=${2:-$tree/screenshots/slider.png}
source "$root/scripts/wine-lib.sh"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

tessaly_own_prefix "$tree" slider-screenshot-prefix
tessaly_store_browser_choice
# Slider mode is the autorun entry in its slider form.
TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v TSY \
    /t REG_SZ /d 'C:\Tessaly.exe /slider' /f >/dev/null 2>&1

tessaly_start_and_wait "$tree/bin/Tessaly.exe" '^Tessaly Quick Access Panel$' 30 /slider >/dev/null ||
    { echo "e2e-slider-screenshot: no panel window" >&2; exit 1; }
panel() { tessaly_window '^Tessaly Quick Access Panel$' || true; }
eval "$(xdotool getwindowgeometry --shell "$(panel)")"
xdotool mousemove 2 $((Y + 20))
out=""
for _ in $(seq 1 40); do
    geometry=$(xdotool getwindowgeometry --shell "$(panel)" 2>/dev/null) && eval "$geometry"
    if [ "$X" = 0 ]; then
        out=yes
        break
    fi
    sleep 0.25
done
if [ -z "$out" ]; then
    echo "e2e-slider-screenshot: the panel did not slide out (left at $X)" >&2
    exit 1
fi
# The logo painted: a panel of plain green has one colour.
painted=""
tessaly_save_painted '^Tessaly Quick Access Panel$' "$shot" && painted=yes
size=$(identify -format '%wx%h' "$shot")
if [ -z "$painted" ] || [ "$size" != "${WIDTH}x${HEIGHT}" ] || [ "$WIDTH" -lt 40 ]; then
    echo "e2e-slider-screenshot: no painted panel (picture $size)" >&2
    exit 1
fi
echo "$shot"
