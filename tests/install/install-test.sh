#!/usr/bin/env bash
# The installer and the portable package of a Windows build tree under Wine, in a prefix of
# their own: the package managers' manifests of both, silent install, the installed program's
# first start, an update over a running program, the two ways of uninstalling, and a start
# from the unpacked portable package.
# Usage: install-test.sh BUILD_TREE SETUP.exe PORTABLE.zip VERSION   (TESSALY_WINE_BITS=32|64,
# needs DISPLAY)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
tree=$(cd "$1" && pwd)
setup=$2
portable=$3
version=$4
source "$root/scripts/wine-lib.sh"
[ -n "${DISPLAY:-}" ] || { echo "install-test: no display"; exit 1; }

tessaly_own_prefix "$tree" install-prefix
# One server for the whole run: every Wine start below is quicker with it.
# Its output goes nowhere, or whoever reads this script's output would wait for the server too.
"$TESSALY_WINESERVER" -p </dev/null >/dev/null 2>&1

fail() {
    echo "install-test: $*" >&2
    exit 1
}
step() { echo "== $*"; }
wait_for() { # condition command, seconds
    local i
    for i in $(seq 1 $(($2 * 4))); do
        eval "$1" && return 0
        sleep 0.25
    done
    return 1
}
run() { TESSALY_WINE_TIMEOUT=120 tessaly_wine "$@"; }
reg_value() { # key value -> data, empty when missing
    run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p" || true
}
reg_key_exists() { run reg query "$1" >/dev/null 2>&1; }
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true; }

settings_key='HKCU\SOFTWARE\Orvelle\Tessaly'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly'
appdata=$(run cmd /c 'echo %APPDATA%' | tr -d '\r')
data=$(run winepath -u "$appdata" | tr -d '\r')/Orvelle/Tessaly
# Both installers go to the Program Files folder of their own width, which is "Program Files"
# in a prefix of that width.
inst=$WINEPREFIX/drive_c/Program\ Files/Tessaly
shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Tessaly.lnk
[ -n "$appdata" ] || fail "no application-data folder in the prefix"
# The base prefix is shared with the other Windows tests: start as a user new to the program.
rm -rf "$(dirname "$data")"
run reg delete "$settings_key" /f >/dev/null 2>&1 || true
run reg delete "$run_key" /v TSY /f >/dev/null 2>&1 || true

# A stored browser choice keeps the first-run notice away; MinimizeOnClose on means a plain
# close request would not end the program.
run reg add "$settings_key" /v Browser /t REG_DWORD /d 0 /f >/dev/null
run reg add "$settings_key" /v MinimizeOnClose /t REG_DWORD /d 1 /f >/dev/null

install() {
    local rc=0
    run "$setup" "${silent:-/S}" "$@" || rc=$?
    [ "$rc" -eq 0 ] || fail "silent install ended with $rc"
}
# The uninstaller runs on from a copy of itself; the program folder goes last of its own files.
uninstall() {
    run "$inst/uninstall.exe" /S "$@" || fail "the uninstaller did not start"
    wait_for '[ ! -e "$inst" ]' 60 || fail "the program folder is still there after uninstalling"
}

step "the package managers' manifests describe both files"
# Made as the release script makes them, for the files under their shipped names.
manifests=$tree/install-manifests
rm -rf "$manifests"
mkdir -p "$manifests"
cp "$setup" "$manifests/Tessaly-$version-setup.exe"
cp "$portable" "$manifests/Tessaly-$version-portable.zip"
download_url=$(sed -n "s/^download_url='\(.*\)'$/\1/p" "$root/scripts/release.sh")
[ -n "$download_url" ] || fail "no download address in the release script"
python3 "$root/scripts/make-manifests.py" "$manifests" "$version" "$download_url"
described=$(python3 "$root/tests/install/check-manifests.py" "$manifests" "$version" "$download_url" \
    "$(sed -n 's/.*kProductHomePage = "\(.*\)";/\1/p' "$root/src/support/WebAddresses.h")") ||
    fail "the manifests are wrong"
# What the installer must write as its Add/Remove Programs entry, and how it is run silently.
entry=$(head -n 1 <<<"$described")
silent=$(sed -n 2p <<<"$described")
rm -rf "$manifests"

step "silent install"
install
for f in Tessaly.exe targets.dat Tessaly.dat uninstall.exe; do
    [ -f "$inst/$f" ] || fail "$f was not installed"
done
cmp -s "$inst/Tessaly.exe" "$tree/bin/Tessaly.exe" || fail "the installed program is not this build's"
[ ! -e "$inst/portable.ini" ] || fail "the installer installed the portable marker"
cmp -s "$inst/targets.dat" "$root/data/targets.dat" || fail "the installed targets.dat is not the starter one"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ "$(reg_value "$uninstall_key" DisplayName)" = Tessaly ] || fail "no Add/Remove Programs entry"
[ "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" ] || fail "wrong version in the entry"
[ "$(reg_value "$uninstall_key" Publisher)" = Orvelle ] || fail "wrong publisher in the entry"
reg_value "$uninstall_key" UninstallString | grep -qi 'Tessaly\\uninstall.exe"$' ||
    fail "no uninstall command in the entry"
reg_value "$uninstall_key" DisplayIcon | grep -qi 'Tessaly\\Tessaly.exe,0$' || fail "no icon in the entry"
size=$(reg_value "$uninstall_key" EstimatedSize)
[ $((size)) -ge $(($(stat -c %s "$inst/Tessaly.exe") / 1024)) ] || fail "estimated size $size is too small"
[ ! -e "$data" ] || fail "the installer touched the user's data folder"

step "the installed program seeds the user's catalogue"
# Started from elsewhere: the starter catalogue must come from the program's own folder.
(cd "$tree" && run "$inst/Tessaly.exe" >/dev/null 2>&1 &)
wait_for '[ -s "$data/targets.dat" ] && [ -s "$data/Tessaly.dat" ]' 30 || fail "no seeded catalogue"
wait_for '[ -n "$(visible "^Tessaly$")" ]' 30 || fail "no Tessaly window"
cmp -s "$data/targets.dat" "$root/data/targets.dat" || fail "seeded targets.dat differs"
cmp -s "$data/Tessaly.dat" "$root/data/Tessaly.dat" || fail "seeded Tessaly.dat differs"

# The user's own changes, and a start with Windows, all of which an update must leave alone.
printf '[900]\r\nname=Kept site\r\nsearch=http://kept.example/?q=%%s\r\nopen=http://kept.example/\r\n' \
    >>"$data/targets.dat"
cp "$data/targets.dat" "$tree/install-kept-targets.dat"
run reg add "$run_key" /v TSY /d "\"C:\\Program Files\\Tessaly\\Tessaly.exe\" /minimized" /f >/dev/null

step "an update over the running program"
install
# The installer asked the program to end the way Windows does at logoff: it saved its state.
[ -z "$(visible '^Tessaly$')" ] || fail "the program still shows after the update"
[ "$(reg_value "$settings_key" Hotkey.Key)" = 0x51 ] || fail "the program did not save its settings on ending"
[ "$(reg_value "$settings_key" MinimizeOnClose)" = 0x1 ] || fail "the update lost a setting"
cmp -s "$data/targets.dat" "$tree/install-kept-targets.dat" || fail "the update changed the user's catalogue"
rm -f "$tree/install-kept-targets.dat"
[ -f "$inst/Tessaly.exe" ] && [ -f "$shortcut" ] || fail "the update left the program incomplete"

step "silent uninstall of the running program keeps the user's data"
run reg delete "$settings_key" /v Hotkey.Key /f >/dev/null
(cd "$tree" && run "$inst/Tessaly.exe" >/dev/null 2>&1 &)
wait_for '[ -n "$(visible "^Tessaly$")" ]' 30 || fail "no Tessaly window"
uninstall
[ "$(reg_value "$settings_key" Hotkey.Key)" = 0x51 ] || fail "the program did not save its settings on ending"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
! reg_key_exists "$uninstall_key" || fail "the Add/Remove Programs entry is still there"
[ -z "$(reg_value "$run_key" TSY)" ] || fail "the autorun value is still there"
grep -q 'name=Kept site' "$data/targets.dat" || fail "the uninstaller removed the user's catalogue"
[ -f "$data/Tessaly.dat" ] || fail "the uninstaller removed the user's collections"
[ "$(reg_value "$settings_key" Browser)" = 0x0 ] || fail "the uninstaller removed the user's settings"

step "silent install into a folder of the user's choice, and uninstall with the data"
inst=$WINEPREFIX/drive_c/OwnApps/Tessaly
mkdir -p "$(dirname "$inst")"
# The prefix's files outside Wine's own and its program entries, before the installation; the
# user's data, still there from above, goes with it and is checked on its own.
traces() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -ipath '*/temp' -prune -o \
        -path "*/$(basename "$(dirname "$data")")" -prune -o -print | sort)
    run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' || true
    run reg query "$run_key" | tr -d '\r' || true
}
traces >"$tree/install-before.txt"
install '/D=C:\OwnApps\Tessaly'
[ -f "$inst/Tessaly.exe" ] || fail "/D did not choose the folder"
[ "$(reg_value "$uninstall_key" InstallLocation)" = 'C:\OwnApps\Tessaly' ] || fail "wrong folder in the entry"
listed="$(reg_value "$uninstall_key" DisplayName)|$(reg_value "$uninstall_key" Publisher)|$(reg_value "$uninstall_key" DisplayVersion)"
[ "$listed" = "$entry" ] || fail "the entry says $listed, the manifest $entry"
uninstall /REMOVEDATA
! reg_key_exists "$uninstall_key" || fail "the Add/Remove Programs entry is still there"
wait_for '[ ! -e "$data" ]' 30 || fail "the user's catalogue is still there"
! reg_key_exists "$settings_key" || fail "the user's settings are still there"
[ ! -e "$(dirname "$data")" ] || fail "the empty Orvelle folder is still there"
traces >"$tree/install-after.txt"
diff "$tree/install-before.txt" "$tree/install-after.txt" || fail "the uninstaller left the traces above"
rm -f "$tree/install-before.txt" "$tree/install-after.txt"

step "the portable package keeps everything beside itself"
unpacked=$WINEPREFIX/drive_c/portable
rm -rf "$unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$portable")
copy=$unpacked/Tessaly
for f in Tessaly.exe targets.dat Tessaly.dat ReadMe.txt portable.ini; do
    [ -f "$copy/$f" ] || fail "$f is not in the portable package"
done
# A user of this copy chose a browser before, and closing that ends the program.
mkdir -p "$copy/Data"
printf '[Tessaly]\r\nBrowser=0\r\nMinimizeOnClose=0\r\n' >"$copy/Data/settings.ini"
main_window() { visible '^Tessaly$'; }
# Asks the program's windows to close, as a click on their close buttons would: a message box
# goes away, the main window (closing ends the program here) saves the state and ends it.
close_windows() { run taskkill /IM Tessaly.exe >/dev/null 2>&1 || true; }
# The process outlives its window a little; a start before it is gone would hand over to it.
copy_running() { pgrep -f 'portable.Tessaly.Tessaly\.exe' >/dev/null; }
(cd "$tree" && run "$copy/Tessaly.exe" >/dev/null 2>&1 &)
wait_for '[ -s "$copy/Data/targets.dat" ] && [ -s "$copy/Data/Tessaly.dat" ]' 30 || fail "no seeded catalogue in Data"
wait_for '[ -n "$(main_window)" ]' 30 || fail "no Tessaly window"
cmp -s "$copy/Data/targets.dat" "$root/data/targets.dat" || fail "seeded targets.dat differs"
cmp -s "$copy/Data/Tessaly.dat" "$root/data/Tessaly.dat" || fail "seeded Tessaly.dat differs"
close_windows
wait_for '! copy_running' 30 || fail "closing did not end the portable program"
wait_for 'grep -q "^Hotkey.Key=81" "$copy/Data/settings.ini"' 10 || fail "the options did not reach Data"
[ ! -e "$data" ] || fail "the portable program wrote to the application-data folder"
! reg_key_exists "$settings_key" || fail "the portable program wrote to the registry"
echo "Data after the portable run:"
(cd "$copy/Data" && for f in *; do printf '  %6d  %s\n' "$(stat -c %s "$f")" "$f"; done)
tr -d '\r' <"$copy/Data/settings.ini" | sed 's/^/    /'

step "a portable copy that cannot write its Data folder says so and changes nothing"
kept=$tree/install-portable-kept
rm -rf "$kept"
cp -a "$copy/Data" "$kept"
# Even the superuser cannot change an immutable folder; anyone else is kept out by its mode.
if [ "$(id -u)" -eq 0 ]; then
    protect() { chattr "$1" "$copy/Data" "$copy/Data"/*; }
    protect +i
    trap 'protect -i; tessaly_drop_prefix' EXIT
else
    chmod -R a-w "$copy/Data"
fi
(cd "$tree" && run "$copy/Tessaly.exe" >/dev/null 2>&1 &)
wait_for '[ -n "$(visible "^Warning$")" ]' 30 || {
    xdotool search --onlyvisible --name '.' getwindowname %@ >&2 || true
    fail "no warning about the unwritable folder"
}
close_windows
wait_for '[ -n "$(main_window)" ]' 30 || fail "no Tessaly window after the warning"
close_windows
wait_for '! copy_running' 30 || fail "closing did not end the portable program"
if [ "$(id -u)" -eq 0 ]; then
    protect -i
    trap tessaly_drop_prefix EXIT
else
    chmod -R u+w "$copy/Data"
fi
diff -r "$kept" "$copy/Data" || fail "the unwritable Data folder changed"
rm -rf "$kept"
echo "install-test: all passed"
