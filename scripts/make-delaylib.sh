#!/usr/bin/env bash
# Makes a delay-import library from a MinGW-w64 import library: every function of IMPORT_LIB,
# bound to DLL on its first call instead of at start.
# Usage: scripts/make-delaylib.sh NM DLLTOOL IMPORT_LIB DLL OUTPUT_LIB i686|x86_64
set -euo pipefail
nm=$1 dlltool=$2 implib=$3 dll=$4 output=$5 arch=$6
def=${output%.a}.def
mkdir -p "$(dirname "$output")"
if [ "$arch" = i686 ]; then
    # stdcall names carry a leading underscore and "@n"; the DLL exports them bare.
    flags=(-m i386 -k)
    strip='s/^_//'
else
    flags=(-m i386:x86-64)
    strip=''
fi
{
    echo "LIBRARY $dll"
    echo "EXPORTS"
    "$nm" -g --defined-only "$implib" | awk '$2 == "T" { print $3 }' | sed -e "$strip" | sort -u
} >"$def"
"$dlltool" "${flags[@]}" -d "$def" -D "$dll" -y "$output"
