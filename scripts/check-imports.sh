#!/usr/bin/env bash
# Fails when EXE loads at start one of the DLLs it should bind on first use (COM, WinINet):
# each would slow every start. Usage: scripts/check-imports.sh OBJDUMP EXE
set -euo pipefail
objdump=$1 exe=$2
imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ { print tolower($3) }')
[ -n "$imports" ] || { echo "$exe: no import table found"; exit 1; }
echo "$exe loads at start: $(echo $imports)"
for dll in ole32.dll oleaut32.dll wininet.dll; do
    if grep -qx "$dll" <<<"$imports"; then
        echo "$exe: $dll is loaded at start" >&2
        exit 1
    fi
done
