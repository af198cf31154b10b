#!/usr/bin/env bash
# The global hotkey from the X side: Win+Q typed while a Wine window has the focus hides the
# program when it is in front, and shows it again from another program's window.
# Usage: hotkey-test.sh BUILD_TREE   (TESSALY_WINE_BITS=32|64, needs DISPLAY)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tree=$(cd "$1" && pwd)
source "$root/scripts/wine-lib.sh"
[ -n "${DISPLAY:-}" ] || { echo "hotkey-test: no display"; exit 1; }

export WINEPREFIX=$tree/hotkey-prefix
tessaly_wine_fresh_prefix "$tree/wineprefix" "$WINEPREFIX"
cleanup() {
    tessaly_wine_stop "$WINEPREFIX"
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add 'HKCU\SOFTWARE\Orvelle\Tessaly' /v Browser /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }
wait_for() { # condition command, seconds
    local i
    for i in $(seq 1 $(($2 * 4))); do
        eval "$1" && return 0
        sleep 0.25
    done
    return 1
}
fail() {
    echo "hotkey-test: $*" >&2
    exit 1
}

(cd "$tree/bin" && TESSALY_WINE_TIMEOUT=120 tessaly_wine Tessaly.exe >/dev/null 2>&1 &)
wait_for '[ -n "$(visible "^Tessaly$")" ]' 30 || fail "no Tessaly window"
id=$(visible '^Tessaly$')
sleep 1
xdotool windowfocus --sync "$id"
xdotool key super+q
wait_for '[ -z "$(visible "^Tessaly$")" ]' 10 || fail "Win+Q left the window in front on screen"
echo "Win+Q hid the program that was in front"

# Another Wine program has the focus now; the hotkey still reaches Tessaly.
(TESSALY_WINE_TIMEOUT=120 tessaly_wine notepad >/dev/null 2>&1 &)
wait_for '[ -n "$(visible "Notepad")" ]' 30 || fail "no Notepad window"
sleep 1
xdotool windowfocus --sync "$(visible Notepad)"
xdotool key super+w
sleep 1
[ -z "$(visible '^Tessaly$')" ] || fail "another key combination showed the program"
xdotool key super+q
wait_for '[ -n "$(visible "^Tessaly$")" ]' 10 || fail "Win+Q from another window did not show the program"
echo "Win+Q from another program's window showed it again"
