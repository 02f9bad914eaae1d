#!/usr/bin/env bash
# Each form of the command line through the real program. A catalog that opens is seen in the
# program's current folder, with nothing said on stderr, where a failed load speaks.
#   command-line-test.sh PROGRAM SAMPLE_CATALOG
set -euo pipefail

program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/radionica" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$2" "$work/radionica/Trake.odl"
cp "$2" "$work/radionica/Trake-novi.odl"
# An older save: a newer one is announced in a message box at start.
touch -d '-1 hour' "$work/radionica/Trake-novi.odl"
cp "$2" "$work/radionica/Druge.odl"
cd "$work"
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export LANG=C.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES=
settings="$work/config/velmora/velmora.conf"
failures=0
fail() { echo "command-line test: $*" >&2; failures=$((failures + 1)); }

# ROW EXPECTED_STATUS EXPECTED_OUTPUT_PATTERN ARGUMENTS...: stdout and stderr together.
expect() {
    local row=$1 status=$2 pattern=$3 output actual=0
    shift 3
    output=$("$program" "$@" 2>&1) || actual=$?
    [[ $actual == "$status" ]] || fail "$row: status $actual, expected $status: $output"
    grep -qE -- "$pattern" <<<"$output" || fail "$row: output does not match '$pattern': $output"
}

# ROW ARGUMENTS...: the window opens on work/radionica.
opens() {
    local row=$1 entered=
    shift
    "$program" "$@" >/dev/null 2>"$work/stderr" &
    local editor=$!
    for _ in $(seq 100); do
        [[ $(readlink "/proc/$editor/cwd") == "$work/radionica" ]] && entered=1 && break
        kill -0 "$editor" 2>/dev/null || break
        sleep 0.1
    done
    sleep 0.5  # the load, which says on stderr when it fails
    kill "$editor" 2>/dev/null && wait "$editor" 2>/dev/null || true
    [[ $entered && ! -s "$work/stderr" ]] || fail "$row: did not open: $(cat "$work/stderr")"
}

opens "folder" radionica
opens "Trake.odl path" "$work/radionica/Trake.odl"
opens "Trake-novi.odl path" radionica/Trake-novi.odl
opens "launcher with a file" --choose-folder radionica/Trake.odl
opens "launcher with the saved file" --choose-folder radionica/Trake-novi.odl
cd radionica && opens "current folder" && cd ..
# Only a folder chosen in the dialog is remembered.
[[ ! -e "$settings" ]] || fail "a folder given on the command line was remembered"
expect "wrong file name" 2 '^velmora: "radionica/Druge.odl" is not a catalog' radionica/Druge.odl
expect "missing folder" 2 '^velmora: "nema" does not exist\.' nema
expect "two folders" 2 '^velmora: give only one folder' radionica radionica
expect "unknown option" 2 "^velmora: Unknown option 'x'" -x
expect "help" 0 '^Usage: .*velmora \[options\] \[FOLDER \| FOLDER/Trake\.odl\]' --help
expect "version" 0 '^velmora [0-9]+\.[0-9]+$' --version
LANG=hr_HR.UTF-8 expect "Croatian" 2 '^velmora: „nema“ ne postoji\.' nema
LANG=hr_HR.UTF-8 expect "Croatian help" 0 '^Uporaba: velmora \[opcije\] \[MAPA \| MAPA/Trake\.odl\]' --help
english=$(LANG=hr_HR.UTF-8 "$program" --help | grep -E 'Usage|Options|Displays|Shows|Keys' || true)
[[ -z $english ]] || fail "Croatian help: English lines: $english"

((failures == 0)) || exit 1
echo "command-line test: every form behaved"
