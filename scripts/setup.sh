#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing Tessaly.
# Idempotent: a machine that has everything returns at once.
set -euo pipefail

# 32-bit Wine is wanted but not required: where it cannot be installed (or the
# kernel cannot run 32-bit code) the Windows tests run from the 64-bit build.
optional_packages=(wine32:i386)
packages=(cmake ninja-build g++ g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 xvfb xauth
          xdotool imagemagick googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
          nasm clang-format dpkg-dev nsis fp-utils libchm-bin libsqlite3-dev liblz4-dev libcjson-dev tcl python3-yaml
          firefox-esr chromium)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
need_update=0

# libjpeg, SQLite, LZ4 and cJSON for the Windows build are compiled from Debian's source packages.
if ! grep -rqs -e '^deb-src' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo tee /etc/apt/sources.list.d/tessaly-src.sources >/dev/null
    elif [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            $sudo tee /etc/apt/sources.list.d/tessaly-src.list >/dev/null
    fi
    need_update=1
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    need_update=1
fi
[ ${#missing[@]} -gt 0 ] && need_update=1
# A mirror caught mid-sync fails one index; retry, then go on with what was fetched.
apt_update() {
    local try
    for try in 1 2 3; do
        $sudo apt-get update -q && return 0
        sleep $((try * 5))
    done
    echo "setup: apt-get update failed; using the package lists that were fetched" >&2
}
[ "$need_update" -eq 1 ] && apt_update
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get install -y -q "${missing[@]}" ||
        { apt_update; $sudo apt-get install -y -q "${missing[@]}"; }
fi
# A failed optional install is remembered, so that later runs skip quickly; it is
# tried again whenever the package lists are fetched anew.
stamps=${XDG_CACHE_HOME:-$HOME/.cache}/tessaly-setup
for p in "${optional_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' && continue
    stamp=$stamps/failed-${p//[^A-Za-z0-9.+-]/_}
    [ "$need_update" -eq 0 ] && [ -f "$stamp" ] && continue
    if $sudo apt-get install -y -q "$p" >/dev/null 2>&1; then
        rm -f "$stamp"
    else
        echo "setup: $p could not be installed; Windows tests will run under 64-bit Wine" >&2
        mkdir -p "$stamps" && touch "$stamp"
    fi
done

# The import check reads Wine's 32-bit DLLs even where 32-bit Wine could not be installed:
# there they are unpacked from the library package without installing it.
wine32_dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
unpacked=$stamps/libwine-i386
if [ ! -d "$wine32_dlls" ] && [ ! -d "$unpacked$wine32_dlls" ]; then
    download=$(mktemp -d)
    (cd "$download" && apt-get download -q libwine:i386 >/dev/null) || { apt_update; (cd "$download" && apt-get download -q libwine:i386); }
    mkdir -p "$unpacked"
    dpkg-deb -x "$download"/libwine_*_i386.deb "$unpacked"
    rm -rf "$download"
fi
