#!/usr/bin/env bash
# Walks the installer through its pages inside a Wine virtual desktop, pressing Enter on each,
# and saves the welcome, notice, folder and finish pages as PNG files under screenshots/ of the
# build tree. Fails when a page does not appear or the installation does not happen.
# Usage: installer-screenshots.sh BUILD_TREE SETUP.exe   (TESSALY_WINE_BITS=32|64, needs DISPLAY)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tree=$(cd "$1" && pwd)
setup=$2
source "$root/scripts/wine-lib.sh"
[ -n "${DISPLAY:-}" ] || { echo "installer-screenshots: no display"; exit 1; }

tessaly_own_prefix "$tree" installer-shot-prefix
work=$(mktemp -d)
trap 'tessaly_drop_prefix; rm -rf "$work"' EXIT
shots=$tree/screenshots
mkdir -p "$shots"

fail() {
    echo "installer-screenshots: $*" >&2
    exit 1
}
# Pixel signature of the whole screen (PNG files differ by their time stamps alone).
snap() {
    import -window root "$work/screen.png"
    identify -format '%#' "$work/screen.png"
}
# Colour of the screen at the point given.
colour_at() { convert "$work/screen.png" -format "%[pixel:p{$1}]" info:; }
# The welcome and finish pages share the side picture; the other pages show plain page there.
side_picture=345,500
# Waits until the screen differs from the signature given, shows a dialog (the bare desktop
# is one colour) and holds still for half a second, and, when a colour is given, shows it in
# the side picture's place; then keeps it as NAME.png. Prints the signature.
page() { # previous-signature name seconds [side-picture-colour]
    local last="" now i
    for i in $(seq 1 $(($3 * 2))); do
        sleep 0.25
        now=$(snap)
        if [ "$now" != "$1" ] && [ "$now" = "$last" ] &&
            [ "$(identify -format '%k' "$work/screen.png")" -gt 16 ] &&
            { [ -z "${4:-}" ] || [ "$(colour_at $side_picture)" = "$4" ]; }; then
            cp "$work/screen.png" "$shots/$2.png"
            echo "$now"
            return 0
        fi
        last=$now
        sleep 0.25
    done
    fail "the $2 page did not appear"
}

desktop=TessalySetup
# A desktop that does not come up (a busy machine) gets one more start before the test fails.
id=""
for attempt in 1 2; do
    (TESSALY_WINE_TIMEOUT=150 tessaly_wine explorer /desktop=$desktop,1024x768 "$setup" >"$work/explorer.log" 2>&1 &)
    for _ in $(seq 1 240); do
        id=$(xdotool search --name "^$desktop - " 2>/dev/null | head -1 || true)
        [ -n "$id" ] && break
        sleep 0.25
    done
    [ -n "$id" ] && break
    tessaly_wine_stop "$WINEPREFIX"
done
[ -n "$id" ] || { cat "$work/explorer.log" >&2; fail "no Wine virtual desktop"; }

next() {
    xdotool windowfocus --sync "$id"
    xdotool key Return
}
shown=$(page "" installer-welcome 60)
welcome_side=$(convert "$shots/installer-welcome.png" -format "%[pixel:p{$side_picture}]" info:)
next
shown=$(page "$shown" installer-notice 20)
next
shown=$(page "$shown" installer-folder 20)
next
# The finish page follows the installation; the uninstaller is the last file it writes.
uninstaller=$WINEPREFIX/drive_c/Program\ Files/Tessaly/uninstall.exe
for _ in $(seq 1 120); do
    [ -f "$uninstaller" ] && break
    sleep 0.25
done
[ -f "$uninstaller" ] || fail "the installation did not happen"
page "$shown" installer-finish 30 "$welcome_side" >/dev/null
echo "$shots/installer-welcome.png $shots/installer-finish.png"
