#!/usr/bin/env bash
# Shows every dialog inside a Wine virtual desktop, so frames and title bars are drawn as a
# user sees them, and saves a PNG of each under BUILD_TREE/screenshots.
# Usage: scripts/dialog-screenshots.sh BUILD_TREE   (TESSALY_WINE_BITS=32|64, under X)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$(cd "$1" && pwd)
source "$root/scripts/wine-lib.sh"
export WINEPREFIX=$tree/wineprefix
tessaly_wine_prefix_ready "$WINEPREFIX"
shots=$tree/screenshots
work=$(mktemp -d "$tree/shots.XXXXXX")
# The desktop must not outlive the run: later tests copy this prefix.
trap 'tessaly_wine_stop "$WINEPREFIX"; rm -rf "$work"' EXIT
mkdir -p "$shots"
# The desktop ends when its last program does.
TESSALY_SCREENSHOTS="Z:${work//\//\\}" tessaly_wine explorer /desktop=TessalyShots,1024x768 \
    "$tree/bin/tessaly_win32_tests.exe" --gtest_filter='DialogPictures.*:SettingsPictures.*' >"$work/run.log" 2>&1 || true
for name in name-prompt import-dialog site-editor site-editor-collections about-box update-details \
    settings-collections settings-order settings-sites settings-categories settings-options settings-unread wizard-page-1 \
    wizard-page-2 wizard-page-3 wizard-page-4; do
    if [ ! -s "$work/$name.bmp" ]; then
        cat "$work/run.log" >&2
        echo "dialog-screenshots: no picture of $name" >&2
        exit 1
    fi
    convert "$work/$name.bmp" "$shots/$name.png"
    echo "$shots/$name.png"
done
# The picture run also checks that every text fits its control as drawn inside the desktop.
if grep -q '^\[  FAILED  \]' "$work/run.log"; then
    cat "$work/run.log" >&2
    echo "dialog-screenshots: a dialog failed its checks" >&2
    exit 1
fi
