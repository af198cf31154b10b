#!/usr/bin/env bash
# The global hotkey from the X side: Win+Q typed while a Wine window has the focus hides the
# program when it is in front, and shows it again from another program's window.
# Usage: hotkey-test.sh BUILD_TREE   (TESSALY_WINE_BITS=32|64, needs DISPLAY)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tree=$(cd "$1" && pwd)
source "$root/scripts/wine-lib.sh"
[ -n "${DISPLAY:-}" ] || { echo "hotkey-test: no display"; exit 1; }

tessaly_own_prefix "$tree" hotkey-prefix
tessaly_store_browser_choice

visible() { tessaly_window "$1" || true; }
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
# Gives the X input focus to the window whose title matches PATTERN and waits until it has it.
# The window is looked up again on every try: Wine may replace the X window of one just shown.
focus() {
    local pattern=$1 id
    wait_for 'id=$(visible "$pattern") && [ -n "$id" ] && xdotool windowfocus "$id" 2>/dev/null &&
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]' 10
}

tessaly_start_and_wait "$tree/bin/Tessaly.exe" '^Tessaly$' 30 >/dev/null || fail "no Tessaly window"
focus '^Tessaly$' || fail "Tessaly did not take the focus"
# The hotkey is registered just after the window first shows: a press that came sooner went to
# the window as an ordinary key, so the key is pressed again until the window hides.
hidden=
for _ in $(seq 1 5); do
    xdotool key super+q
    wait_for '[ -z "$(visible "^Tessaly$")" ]' 2 && hidden=1 && break
done
[ -n "$hidden" ] || fail "Win+Q left the window in front on screen"
echo "Win+Q hid the program that was in front"

# Another Wine program has the focus now; the hotkey still reaches Tessaly.
(TESSALY_WINE_TIMEOUT=120 tessaly_wine notepad >/dev/null 2>&1 &)
wait_for '[ -n "$(visible "Notepad")" ]' 30 || fail "no Notepad window"
focus Notepad || fail "Notepad did not take the focus"
# Ctrl+F typed after Win+W opens Notepad's Find box only once Win+W has been through the system's
# hotkey check; had the check taken Win+W for Tessaly, Tessaly would show and take the Ctrl+F.
xdotool key super+w ctrl+f
wait_for '[ -n "$(visible "^Find$")$(visible "^Tessaly$")" ]' 10 || fail "nothing answered the keys after Win+W"
[ -z "$(visible '^Tessaly$')" ] || fail "another key combination showed the program"
xdotool key Escape
wait_for '[ -z "$(visible "^Find$")" ]' 10 || fail "Notepad's Find box stayed open"
xdotool key super+q
wait_for '[ -n "$(visible "^Tessaly$")" ]' 10 || fail "Win+Q from another window did not show the program"
echo "Win+Q from another program's window showed it again"
