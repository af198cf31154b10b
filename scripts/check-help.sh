#!/usr/bin/env bash
# Lists a compiled help file and checks that it holds the contents, the index and the topic of
# every help keyword the program asks for (kHelpKeywords in src/support/HelpTopic.h).
# Usage: scripts/check-help.sh TSY.chm SOURCE_ROOT
set -euo pipefail
chm=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
extract_chmLib "$chm" "$work/out" >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
keywords=$(sed -n '/kHelpKeywords\[\] = {/,/};/p' "$root/src/support/HelpTopic.h" | grep -o '"[^"]*"' | tr -d '"')
[ -n "$keywords" ] || { echo "check-help: no keywords found" >&2; exit 1; }
status=0
for name in Contents.hhc Index.hhk; do
    [ -s "$work/out/$name" ] || { echo "check-help: $name missing" >&2; status=1; }
done
for keyword in $keywords; do
    topic="$work/out/$keyword.htm"
    if [ ! -s "$topic" ]; then
        echo "check-help: no topic for $keyword" >&2
        status=1
    elif ! grep -q "Local\" value=\"$keyword.htm\"" "$work/out/Contents.hhc"; then
        echo "check-help: $keyword.htm is not in the contents" >&2
        status=1
    fi
done
# Every page the contents or the index names is in the file.
for page in $(grep -oh 'value="[^"]*\.htm"' "$work/out/Contents.hhc" "$work/out/Index.hhk" | sed 's/value="//; s/"$//' | sort -u); do
    [ -s "$work/out/$page" ] || { echo "check-help: $page is named but missing" >&2; status=1; }
done
[ $status -eq 0 ] && echo "check-help: $(echo $keywords | wc -w) keyword topics present"
exit $status
