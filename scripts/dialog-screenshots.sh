#!/usr/bin/env bash
# Shows every dialog and the main window inside a Wine virtual desktop, so frames and title bars
# are drawn as a user sees them, checks their layouts and saves a PNG of each under
# BUILD_TREE/screenshots (at another DPI than 96: BUILD_TREE/screenshots/dpi-DPI, from a prefix of
# its own whose screen has that many pixels per inch).
# Usage: scripts/dialog-screenshots.sh BUILD_TREE [DPI]   (TESSALY_WINE_BITS=32|64, under X)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$(cd "$1" && pwd)
dpi=${2:-96}
# Larger pictures need a larger screen than the tests' own.
if [ "$dpi" != 96 ] && [ -z "${TESSALY_LARGE_SCREEN:-}" ]; then
    exec env TESSALY_LARGE_SCREEN=1 xvfb-run -a -s "-screen 0 1600x1280x24" bash "$0" "$@"
fi
source "$root/scripts/wine-lib.sh"
shots=$tree/screenshots
desktop=1024x768
work=$(mktemp -d "$tree/shots.XXXXXX")
if [ "$dpi" = 96 ]; then
    export WINEPREFIX=$tree/wineprefix
    tessaly_wine_prefix_ready "$WINEPREFIX"
    # The desktop must not outlive the run: later tests copy this prefix.
    trap 'tessaly_wine_stop "$WINEPREFIX"; rm -rf "$work"' EXIT
else
    shots=$shots/dpi-$dpi
    desktop=1600x1280
    tessaly_own_prefix "$tree" "dpi-$dpi-prefix"
    trap 'tessaly_drop_prefix; rm -rf "$work"' EXIT
    TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$dpi" /f >/dev/null 2>&1
    timeout 60 "$TESSALY_WINESERVER" -w || true
fi
mkdir -p "$shots"
# The desktop ends when its last program does.
TESSALY_SCREENSHOTS="Z:${work//\//\\}" tessaly_wine explorer /desktop=TessalyShots,$desktop \
    "$tree/bin/tessaly_win32_tests.exe" --gtest_filter='DialogPictures.*:SettingsPictures.*:MainFormPictures.*:EnginePictures.*' \
    >"$work/run.log" 2>&1 || true
for name in name-prompt import-dialog import-engines site-editor site-editor-collections about-box update-details \
    settings-collections settings-order settings-sites settings-categories settings-options settings-unread wizard-page-1 \
    wizard-page-2 wizard-page-3 wizard-page-4 main-form; do
    if [ ! -s "$work/$name.bmp" ]; then
        cat "$work/run.log" >&2
        echo "dialog-screenshots: no picture of $name at $dpi DPI" >&2
        exit 1
    fi
    convert "$work/$name.bmp" "$shots/$name.png"
    echo "$shots/$name.png"
done
# A cut or overlapping control, or a text that does not fit, fails its test, and the run with it.
if grep -q '^\[  FAILED  \]' "$work/run.log" || ! grep -q '^\[  PASSED  \]' "$work/run.log"; then
    grep -v '^\[ \(RUN\|       OK\) ' "$work/run.log" >&2
    echo "dialog-screenshots: the layouts at $dpi DPI have faults" >&2
    exit 1
fi
