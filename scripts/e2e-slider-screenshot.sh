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

export WINEPREFIX=$tree/slider-screenshot-prefix
tessaly_wine_fresh_prefix "$tree/wineprefix" "$WINEPREFIX"
cleanup() {
    tessaly_wine_stop "$WINEPREFIX"
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add 'HKCU\SOFTWARE\Orvelle\Tessaly' /v Browser /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
# Slider mode is the autorun entry in its slider form.
TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v TSY \
    /t REG_SZ /d 'C:\Tessaly.exe /slider' /f >/dev/null 2>&1

(cd "$tree/bin" && TESSALY_WINE_TIMEOUT=120 tessaly_wine Tessaly.exe /slider >/dev/null 2>&1 &)
panel() { xdotool search --onlyvisible --name '^Tessaly Quick Access Panel$' 2>/dev/null | head -1 || true; }
id=""
for _ in $(seq 1 120); do
    id=$(panel)
    [ -n "$id" ] && break
    sleep 0.25
done
if [ -z "$id" ]; then
    echo "e2e-slider-screenshot: no panel window" >&2
    exit 1
fi
eval "$(xdotool getwindowgeometry --shell "$id")"
xdotool mousemove 2 $((Y + 20))
out=""
for _ in $(seq 1 40); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
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
mkdir -p "$(dirname "$shot")"
# Poll until the logo is painted: a panel of plain green has one colour.
painted=""
for _ in $(seq 1 40); do
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
    if [ "$(identify -format '%k' "$shot")" -gt 16 ]; then
        painted=yes
        break
    fi
    sleep 0.25
done
size=$(identify -format '%wx%h' "$shot")
if [ -z "$painted" ] || [ "$size" != "${WIDTH}x${HEIGHT}" ] || [ "$WIDTH" -lt 40 ]; then
    echo "e2e-slider-screenshot: no painted panel (picture $size)" >&2
    exit 1
fi
echo "$shot"
