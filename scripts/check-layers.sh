#!/usr/bin/env bash
# Fails when a source file includes one from a folder above its own. Lower folders come first:
# support < catalogue, controls < browsers < settings < update < ui < app.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rank() {
    case $1 in
    support) echo 0 ;; catalogue | controls) echo 1 ;; browsers) echo 2 ;; settings) echo 3 ;;
    update) echo 4 ;; ui) echo 5 ;; app) echo 6 ;; *) echo -1 ;;
    esac
}
status=0
cd "$root/src"
while IFS=: read -r file line include; do
    own=${file%%/*}
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
    if [ "$(rank "$target")" -gt "$(rank "$own")" ]; then
        echo "src/$file:$line: $own includes $target, a folder above it:${include#*#include}"
        status=1
    fi
done < <(grep -rnE '^#include "[a-z]+/' --include='*.h' --include='*.cpp' .  | sed 's|^\./||')
exit $status
