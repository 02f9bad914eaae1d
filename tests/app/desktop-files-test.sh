#!/usr/bin/env bash
# The desktop entry and the software-centre description pass the desktop's own validators
# (offline), and an install puts every desktop file where desktops look for it.
#   desktop-files-test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
id=org.velmora.Velmora
desktop-file-validate "$1/desktop/$id.desktop"
appstreamcli validate --no-net "$2/desktop/$id.metainfo.xml"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$2" --prefix "$prefix" >/dev/null
for file in bin/velmora share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/mime/packages/velmora.xml share/icons/hicolor/scalable/apps/velmora.svg \
            share/icons/hicolor/48x48/apps/velmora.png; do
    [[ -e "$prefix/$file" ]] || { echo "desktop files: $file not installed" >&2; exit 1; }
done
