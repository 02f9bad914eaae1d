#!/usr/bin/env bash
# Every message in src/ has its Croatian translation: the .ts brought up to date with the
# sources holds no unfinished entry. On failure, run the build's update_translations target.
#   translation-test.sh LUPDATE SOURCE_DIR
set -euo pipefail
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp "$2/translations/velmora_hr.ts" "$copy"
"$1" -silent -locations none "$2/src" -ts "$copy"
if grep -B2 'type="unfinished"' "$copy" | grep '<source>' >&2; then
    echo "translation: the messages above have no Croatian translation" >&2
    exit 1
fi
