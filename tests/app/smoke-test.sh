#!/usr/bin/env bash
# The real program on a virtual display, used as a person would: pick record 3, type a new
# length, save, leave. The saved file must be the input with just that value changed.
#   smoke-test.sh PROGRAM SAMPLE_CATALOG
set -euo pipefail

program=$(realpath "$1")
sample=$(realpath "$2")
center="$(realpath "$(dirname "$0")/../../scripts/control-center")"
entry="$(dirname "$0")/../../desktop/org.velmora.Velmora.desktop"
wmclass=$(sed -n 's/^StartupWMClass=//p' "$entry")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$sample" "$folder/Trake.odl"
cd "$folder"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$folder}"
# Whatever the program keeps in its settings stays out of the settings of whoever runs the tests.
export XDG_CONFIG_HOME="$folder/config"

# The window's class is the one the desktop entry promises (StartupWMClass), so that docks group
# the window under the entry's icon. Where each control stands comes from the window's design
# table.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    set -euo pipefail
    "$1" & editor=$!
    window=$(timeout 20 xdotool search --sync --name "^Trake\.Odl$" | head -n 1)
    sleep 0.5
    class=$(xprop -id "$window" WM_CLASS)
    [[ $class == *", \"$3\"" ]] || { echo "smoke test: $class, not \"$3\"" >&2; exit 1; }
    click() { xdotool mousemove --window "$window" $("$2" "$1") click 1; sleep 0.2; }
    click txtBrojSloga "$2"
    xdotool key ctrl+a type --delay 50 3
    click txtDuljina "$2"
    xdotool key ctrl+a type --delay 50 1234
    sleep 0.2
    click Command1 "$2"                # save
    for _ in $(seq 50); do [[ -f Trake-novi.odl ]] && break; sleep 0.1; done
    click Command2 "$2"                # leave
    status=0
    timeout 10 tail --pid="$editor" -f /dev/null || status=$?
    wait "$editor" || status=$?
    exit "$status"
' _ "$program" "$center" "$wmclass"

[[ -f Trake-novi.odl ]] || { echo "smoke test: Trake-novi.odl was not written" >&2; exit 1; }
# Line 5 of record 3 is line 95 of the file.
LC_ALL=C sed '95s/Duljina = [^,]*/Duljina = 1234/' Trake.odl > expected.odl
if ! cmp -s expected.odl Trake-novi.odl; then
    echo "smoke test: the saved catalog differs from the expected one:" >&2
    diff <(LC_ALL=C cat -A expected.odl) <(LC_ALL=C cat -A Trake-novi.odl) | head -n 20 >&2
    exit 1
fi
cmp -s "$sample" Trake.odl || { echo "smoke test: Trake.odl was changed" >&2; exit 1; }
echo "smoke test: record 3 edited and saved through the real window"
