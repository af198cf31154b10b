# Shared Wine helpers; source this file with TESSALY_WINE_BITS set to 32 or 64.
# Callers set WINEPREFIX.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ "${TESSALY_WINE_BITS:-32}" = 64 ]; then
    export WINEARCH=win64 TESSALY_WINE=/usr/lib/wine/wine64 TESSALY_WINESERVER=/usr/lib/wine/wineserver64
else
    export WINEARCH=win32 TESSALY_WINE=/usr/lib/wine/wine TESSALY_WINESERVER=/usr/lib/wine/wineserver32
fi

# True when this machine can execute 32-bit programs (some kernels have that turned off).
tessaly_can_run_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Wine's Windows DLLs for 32 or 64 bits, read by the import check. The 32-bit ones come with
# wine32, or unpacked by setup.sh where it could not be installed.
tessaly_wine_dll_folder() {
    local folder
    if [ "$1" = 64 ]; then
        folder=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    else
        folder=/usr/lib/i386-linux-gnu/wine/i386-windows
        [ -d "$folder" ] || folder=${XDG_CACHE_HOME:-$HOME/.cache}/tessaly-setup/libwine-i386$folder
    fi
    echo "$folder"
}

tessaly_wine() { timeout --kill-after=5 "${TESSALY_WINE_TIMEOUT:-300}" "$TESSALY_WINE" "$@"; }

# Creates the prefix once (wineboot takes about ten seconds); concurrent callers wait.
tessaly_wine_prefix_ready() {
    local prefix=$1
    [ -f "$prefix/.tessaly-ready" ] && return 0
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.tessaly-ready" ]; then
            rm -rf "$prefix"
            WINEPREFIX=$prefix TESSALY_WINE_TIMEOUT=180 tessaly_wine wineboot -i >/dev/null 2>&1 || true
            # A crash must not open a dialog that blocks until a timeout.
            WINEPREFIX=$prefix TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add 'HKCU\Software\Wine\WineDbg' \
                /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
            WINEPREFIX=$prefix timeout 60 "$TESSALY_WINESERVER" -w || true
            touch "$prefix/.tessaly-ready"
        fi
    ) 9>"$prefix.lock"
}

# Copies a ready prefix to DEST for a test that needs a clean registry (about a second).
tessaly_wine_fresh_prefix() {
    local base=$1 dest=$2
    tessaly_wine_prefix_ready "$base"
    WINEPREFIX=$base timeout 60 "$TESSALY_WINESERVER" -w || true
    rm -rf "$dest"
    cp -a "$base" "$dest"
    rm -f "$dest.lock"
}

# A prefix of the caller's own at TREE/NAME, a copy of the tree's ready one, stopped and removed
# when the script exits.
tessaly_own_prefix() {
    export WINEPREFIX=$1/$2
    tessaly_wine_fresh_prefix "$1/wineprefix" "$WINEPREFIX"
    trap tessaly_drop_prefix EXIT
}

tessaly_drop_prefix() {
    tessaly_wine_stop "$WINEPREFIX"
    rm -rf "$WINEPREFIX"
}

# A stored browser choice: no first-start message box stands in front of the main window.
tessaly_store_browser_choice() {
    TESSALY_WINE_TIMEOUT=60 tessaly_wine reg add 'HKCU\SOFTWARE\Orvelle\Tessaly' /v Browser /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1
}

# The X id of a visible window whose title matches PATTERN and that still exists; Wine may
# replace the X window of a window it has just shown. Fails when there is none.
tessaly_window() {
    local id
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        xdotool getwindowgeometry "$id" >/dev/null 2>&1 && { echo "$id"; return 0; }
    done
    return 1
}

# Starts a program in the background from its own folder and waits up to SECONDS for a window
# whose title matches PATTERN (see tessaly_window); prints its X id, or fails.
# Usage: tessaly_start_and_wait EXE PATTERN SECONDS [ARGUMENTS...]  (needs DISPLAY and xdotool)
tessaly_start_and_wait() {
    local exe=$1 pattern=$2 seconds=$3 _
    shift 3
    (cd "$(dirname "$exe")" && TESSALY_WINE_TIMEOUT=120 tessaly_wine "./$(basename "$exe")" "$@" >/dev/null 2>&1 &)
    for _ in $(seq 1 $((seconds * 4))); do
        tessaly_window "$pattern" && return 0
        sleep 0.25
    done
    return 1
}

# Waits up to ten seconds until a window whose title matches PATTERN is painted (more than a
# few colours) and saves its picture to FILE, looking the window up on every try. Sets WIDTH,
# HEIGHT, X and Y to its place. Usage: tessaly_save_painted PATTERN FILE
tessaly_save_painted() {
    local pattern=$1 file=$2 id geometry _
    mkdir -p "$(dirname "$file")"
    for _ in $(seq 1 40); do
        for id in $(xdotool search --onlyvisible --name "$pattern" 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
            eval "$geometry"
            import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$file" 2>/dev/null &&
                [ "$(identify -format '%k' "$file")" -gt 16 ] && return 0
        done
        sleep 0.25
    done
    return 1
}

# Ends every Wine process of a prefix.
tessaly_wine_stop() {
    WINEPREFIX=$1 timeout 30 "$TESSALY_WINESERVER" -k 2>/dev/null || true
}

# Picks the Windows tree whose programs this machine can run (the 32-bit one, or the 64-bit
# build of the same sources where 32-bit code cannot execute), sets TESSALY_WINE_BITS to
# match and configures it. Sets tree and toolchain. Usage: tessaly_configure_run_tree BUILD_DIR
tessaly_configure_run_tree() {
    tree=win32
    if ! tessaly_can_run_32bit; then
        tree=win64
        export TESSALY_WINE_BITS=64
        source "${BASH_SOURCE[0]}"
    fi
    tessaly_configure_windows_tree "$1" "$tree"
}

# Configures BUILD/TREE (win32: the shipped PE32, win64: the same sources for 64-bit Wine).
tessaly_configure_windows_tree() {
    local root toolchain=mingw-i686
    [ "$2" = win64 ] && toolchain=mingw-x86_64
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    cmake -S "$root" -B "$1/$2" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" >/dev/null
}
