#!/usr/bin/env bash
# The desktop entry and the software-centre description pass the desktop's own validators
# (offline), an install puts every desktop file where desktops look for it, and the manual page
# describes the options, the argument and the keys that --help lists.
#   desktop-files-test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
id=org.velmora.Velmora
desktop-file-validate "$1/desktop/$id.desktop"
appstreamcli validate --no-net "$2/desktop/$id.metainfo.xml"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$2" --prefix "$prefix" >/dev/null
for file in bin/velmora share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/mime/packages/velmora.xml share/icons/hicolor/scalable/apps/$id.svg \
            share/icons/hicolor/48x48/apps/$id.png share/man/man1/velmora.1.gz \
            share/doc/velmora/copyright share/doc/velmora/changelog.gz; do
    [[ -e "$prefix/$file" ]] || { echo "desktop files: $file not installed" >&2; exit 1; }
done

# What --help names in its first column against the tags of the manual page's OPTIONS,
# ARGUMENTS and KEYS sections.
help=$(LANG=C.UTF-8 LANGUAGE= LC_ALL= "$2/velmora" --help | sed -nE 's/^  ([^ ].*[^ ])  .*/\1/p')
manual=$(gzip -dc "$prefix/share/man/man1/velmora.1.gz" | awk '
    /^\.SH/ { listed = $2 == "OPTIONS" || $2 == "ARGUMENTS" || $2 == "KEYS" }
    tag { tag = 0; sub(/^\.[A-Z]+ /, ""); gsub(/"|\\/, ""); print }
    listed && /^\.TP/ { tag = 1 }')
if [[ "$help" != "$manual" ]]; then
    echo "desktop files: --help and the manual page list different entries:" >&2
    diff <(echo "$help") <(echo "$manual") >&2
    exit 1
fi
