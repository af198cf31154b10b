#!/usr/bin/env bash
# The README's first command on a machine without a display: scripts/run.sh must print the paths
# of a picture of the first start and one of the main window, and both must show something.
# Usage: run-script-test.sh BUILD_TREE
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1/.." && pwd)
out=$(mktemp)
trap 'rm -f "$out"' EXIT
cd "$root"
env -u DISPLAY TESSALY_BUILD="$build" bash scripts/run.sh >"$out" ||
    { echo "run.sh failed with status $?" >&2; exit 1; }
expected=$(printf '%s\n' "$build/screenshots/first-start.png" "$build/screenshots/main-window.png")
if [ "$(cat "$out")" != "$expected" ]; then
    echo "run.sh printed:" >&2
    cat "$out" >&2
    exit 1
fi
for picture in $expected; do
    colours=$(identify -format '%k' "$picture")
    [ "$colours" -gt 16 ] || { echo "$picture is blank ($colours colours)" >&2; exit 1; }
done
# OK took the notice away, so the two pictures differ.
[ "$(compare -metric AE $expected null: 2>&1 || true)" != 0 ] || { echo "the two pictures are the same" >&2; exit 1; }
echo "run.sh: $(tr '\n' ' ' <"$out")"
