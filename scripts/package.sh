#!/usr/bin/env bash
# Makes the installer and the portable package of one built program, with their checksums.
# Usage: scripts/package.sh BIN_DIR OUT_DIR VERSION x86|amd64 [FLAVOUR]
#   BIN_DIR holds Tessaly.exe and, once it is built, the help file TSY.chm; the starter
#   catalogue (targets.dat, Tessaly.dat) comes from data/. Writes into OUT_DIR:
#   Tessaly-VERSION[-FLAVOUR]-setup.exe, Tessaly-VERSION[-FLAVOUR]-portable.zip, SHA256SUMS.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
version=$3
arch=$4
flavour=${5:-}
case $arch in
x86) target=x86-unicode ;;
amd64) target=amd64-unicode ;;
*) echo "package: unknown architecture $arch" >&2; exit 2 ;;
esac
name=Tessaly-$version${flavour:+-$flavour}

files=("$bin/Tessaly.exe" "$root/data/targets.dat" "$root/data/Tessaly.dat")
nsis_defines=()
# The help file is optional until it is built beside the program.
help=""
if [ -f "$bin/TSY.chm" ]; then
    help=$bin/TSY.chm
    files+=("$help")
    nsis_defines+=(-DHELP_FILE="$help")
fi
for f in "${files[@]}"; do
    [ -f "$f" ] || { echo "package: $f is missing" >&2; exit 1; }
done

stage=$(mktemp -d "$out/.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT
# Windows editors want CRLF line ends in the texts shown to the user.
crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }
crlf "$root/installer/Notice.txt" "$stage/Notice.txt"
bash "$root/scripts/make-installer-pictures.sh" "$stage/pictures"

rm -f "$out/$name-setup.exe" "$out/$name-portable.zip" "$out/SHA256SUMS"
"${MAKENSIS:-makensis}" -V2 -WX -INPUTCHARSET UTF8 \
    -DTARGET="$target" -DVERSION="$version" -DBIN_DIR="$bin" -DDATA_DIR="$root/data" -DRES_DIR="$root/res" \
    -DNOTICE_FILE="$stage/Notice.txt" -DPICTURES_DIR="$stage/pictures" -DOUT_FILE="$out/$name-setup.exe" "${nsis_defines[@]}" \
    "$root/installer/Tessaly.nsi"

# The portable package unpacks to one folder "Tessaly".
mkdir "$stage/Tessaly"
cp "${files[@]}" "$stage/Tessaly/"
# The marker that makes the unpacked copy keep its data beside itself; the installer never has it.
crlf "$root/installer/portable.ini" "$stage/Tessaly/portable.ini"
# The read-me lists the help file only when it is packed.
if [ -n "$help" ]; then
    cp "$root/installer/ReadMe.txt" "$stage/ReadMe.txt"
else
    grep -v '^  TSY\.chm ' "$root/installer/ReadMe.txt" >"$stage/ReadMe.txt"
fi
crlf "$stage/ReadMe.txt" "$stage/Tessaly/ReadMe.txt"
# Entries dated by the last commit keep the archive the same from one build to the next.
stamp=$(TZ=UTC git -C "$root" log -1 --format=%cd --date=format-local:'%Y-%m-%d %H:%M:%S' 2>/dev/null ||
    echo '2026-01-01 00:00:00')
(cd "$stage" && TZ=UTC cmake -E tar cf "$out/$name-portable.zip" --format=zip --mtime="$stamp UTC" Tessaly)

(cd "$out" && sha256sum "$name-setup.exe" "$name-portable.zip" >SHA256SUMS)
