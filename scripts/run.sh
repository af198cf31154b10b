#!/usr/bin/env bash
# Builds Tessaly and starts it under Wine with the shipped starter catalogue. With a display it
# runs in a prefix of its own that keeps what the user set. Without one it shows a first start as
# a new user sees it, in a fresh prefix inside a Wine virtual desktop under Xvfb: it saves a
# picture of the first screen with its notice, presses OK, saves a picture of the main window and
# prints the two paths. Building and setting up are logged to BUILD/run.log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD:-$root/build}
mkdir -p "$build"
log=$build/run.log
fail() {
    echo "run.sh: $*" >&2
    exit 1
}
"$root/scripts/setup.sh" >"$log" 2>&1 || { tail -n 20 "$log" >&2; fail "setting up failed (see $log)"; }
export TESSALY_WINE_BITS=32
source "$root/scripts/wine-lib.sh"
tessaly_configure_run_tree "$build" >>"$log" 2>&1 || { tail -n 20 "$log" >&2; fail "configuring failed (see $log)"; }
cmake --build "$build/$tree" --target Tessaly tessaly_run_pictures -j "$(nproc)" >>"$log" 2>&1 ||
    { tail -n 20 "$log" >&2; fail "the build failed (see $log)"; }
bin=$build/$tree/bin

if [ -n "${DISPLAY:-}" ]; then
    export WINEPREFIX=$build/run-prefix
    tessaly_wine_prefix_ready "$WINEPREFIX"
    TESSALY_WINE_TIMEOUT=86400 tessaly_wine "$bin/Tessaly.exe" "$@"
    exit 0
fi

pictures=$build/screenshots
mkdir -p "$pictures"
rm -f "$pictures/first-start.png" "$pictures/main-window.png"
# A new user's registry and data folder, copied from a prefix that is made once and never run in.
WINEPREFIX=$(mktemp -d "$build/first-start.XXXXXX")
export WINEPREFIX
trap 'tessaly_wine_stop "$WINEPREFIX"; rm -rf "$WINEPREFIX"' EXIT
tessaly_wine_fresh_prefix "$build/fresh-prefix" "$WINEPREFIX"
# Every program of the prefix runs inside one virtual desktop, so frames and title bars are drawn;
# it needs a name of its own, since the one called Default is the display itself.
desktop() { TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add "HKCU\\Software\\Wine\\Explorer$1" /v "$2" /d "$3" /f >>"$log" 2>&1; }
desktop "" Desktop TessalyRun && desktop '\Desktops' TessalyRun 1024x768 || fail "the prefix could not be set up"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    source "$1/scripts/wine-lib.sh"
    bin=$2
    windows() { echo "Z:${1//\//\\}"; }
    (cd "$bin" && TESSALY_WINE_TIMEOUT=300 tessaly_wine ./Tessaly.exe >/dev/null 2>&1 &)
    tessaly_wine "$bin/RunPictures.exe" shot Information "$(windows "$WINEPREFIX/first-start.bmp")" &&
        tessaly_wine "$bin/RunPictures.exe" press Information 1 &&
        tessaly_wine "$bin/RunPictures.exe" shot Tessaly "$(windows "$WINEPREFIX/main-window.bmp")"
' _ "$root" "$bin" >&2 || true
for name in first-start main-window; do
    [ -s "$WINEPREFIX/$name.bmp" ] || fail "no picture of the ${name/-/ } was taken"
    convert "$WINEPREFIX/$name.bmp" "$pictures/$name.png" || fail "$name.bmp could not be converted"
    echo "$pictures/$name.png"
done
