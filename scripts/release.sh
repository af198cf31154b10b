#!/usr/bin/env bash
# Builds the shipped 32-bit Tessaly.exe and writes into build/dist/ its installer
# Tessaly-VERSION-setup.exe, its portable package Tessaly-VERSION-portable.zip, SHA256SUMS
# of both, and the package managers' manifests: winget/ (version, default locale, installer)
# and tessaly.json (Scoop). Where the tests run under 64-bit Wine, also packages the 64-bit
# build they install (build/win64/dist/, never shipped). The version comes from the VERSION file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD:-$root/build}
"$root/scripts/setup.sh"
source "$root/scripts/wine-lib.sh"
jobs=$(nproc)
version=$(head -n 1 "$root/VERSION")
name=Tessaly-$version
# Where the release files are published: {version} and {file} are filled in.
download_url='https://www.orvelle.example/tessaly/download/{version}/{file}'

fail() {
    echo "release: $*" >&2
    exit 1
}

tessaly_configure_windows_tree "$build" win32
cmake --build "$build/win32" -j "$jobs" --target tessaly_package
exe=$build/win32/bin/Tessaly.exe

# The program: a 32-bit GUI executable, without symbols, needing no MinGW runtime DLL, whose
# version resource says VERSION.
bash "$root/scripts/check-pe32.sh" "$exe"
imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
grep -qix 'kernel32.dll' <<<"$imports" || fail "no import table read from Tessaly.exe"
if grep -i '^lib' <<<"$imports"; then
    fail "Tessaly.exe needs the DLLs above; it must be linked statically"
fi
echo "$exe: imports only $(tr '\n' ' ' <<<"$imports")"
python3 - "$exe" "$version" <<'PY' || fail "Tessaly.exe is not stripped or carries another version"
import struct, sys
data = open(sys.argv[1], 'rb').read()
pe = struct.unpack_from('<I', data, 0x3C)[0]
symbols, count = struct.unpack_from('<II', data, pe + 12)
assert symbols == 0 and count == 0, 'symbol table present'
at = data.find(struct.pack('<I', 0xFEEF04BD))
assert at > 0, 'no version resource'
ms, ls = struct.unpack_from('<II', data, at + 8)
found = '%d.%d.%d.%d' % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
assert found == sys.argv[2], 'version resource says ' + found
print('%s: stripped, version %s' % (sys.argv[1], found))
PY

dist=$build/dist
rm -rf "$dist"
mkdir -p "$dist"
cp "$build/win32/dist/$name-setup.exe" "$build/win32/dist/$name-portable.zip" "$dist/"
(cd "$dist" && sha256sum "$name-setup.exe" "$name-portable.zip" >SHA256SUMS)
# A 32-bit installer for the 32-bit program.
bash "$root/scripts/check-pe32.sh" "$dist/$name-setup.exe"
python3 "$root/scripts/make-manifests.py" "$dist" "$version" "$download_url"
python3 "$root/tests/install/check-manifests.py" "$dist" "$version" "$download_url" \
    "$(sed -n 's/.*kProductHomePage = "\(.*\)";/\1/p' "$root/src/support/WebAddresses.h")" >/dev/null ||
    fail "the manifests do not describe the release files"

echo
echo "Shipped in $name-portable.zip (the installer carries the same program files):"
python3 - "$dist/$name-portable.zip" <<'PY'
import sys, zipfile
for info in zipfile.ZipFile(sys.argv[1]).infolist():
    if not info.is_dir():
        print('  %10d  %s' % (info.file_size, info.filename))
PY
echo "Release files in $dist:"
(cd "$dist" && for f in *; do printf '  %10d  %s\n' "$(stat -c %s "$f")" "$f"; done)
cat "$dist/SHA256SUMS"
for f in "$dist"/winget/*.yaml "$dist/tessaly.json"; do
    echo
    echo "${f#"$dist/"}:"
    cat "$f"
done

# The 64-bit variant, where this machine's tests run under 64-bit Wine.
tessaly_configure_run_tree "$build"
if [ "$tree" = win64 ]; then
    cmake --build "$build/win64" -j "$jobs" --target tessaly_package
    echo "64-bit test variant: $build/win64/dist/$name-x64-test-setup.exe"
fi
