#!/usr/bin/env bash
# Each form of the command line through the real program. A catalog that opens is seen in the
# settings, which remember its folder just before the window shows.
#   command-line-test.sh PROGRAM SAMPLE_CATALOG
set -euo pipefail

program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/radionica" "$work/config" "$work/runtime"
cp "$2" "$work/radionica/Trake.odl"
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
    local row=$1
    shift
    rm -f "$settings"
    "$program" "$@" >/dev/null 2>&1 &
    local editor=$!
    for _ in $(seq 100); do
        grep -qs "lastCatalogFolder=$work/radionica\$" "$settings" && break
        sleep 0.1
    done
    kill "$editor" 2>/dev/null && wait "$editor" 2>/dev/null || true
    grep -qs "lastCatalogFolder=$work/radionica\$" "$settings" || fail "$row: did not open"
}

opens "folder" radionica
opens "Trake.odl path" "$work/radionica/Trake.odl"
opens "launcher with a file" --choose-folder radionica/Trake.odl
cd radionica && opens "current folder" && cd ..
expect "wrong file name" 2 '^velmora: "radionica/Druge.odl" is not a catalog' radionica/Druge.odl
expect "missing folder" 2 '^velmora: "nema" does not exist\.' nema
expect "two folders" 2 '^velmora: give only one folder' radionica radionica
expect "unknown option" 2 "^velmora: Unknown option 'x'" -x
expect "help" 0 '^Usage: .*velmora \[options\] \[FOLDER \| FOLDER/Trake\.odl\]' --help
expect "version" 0 '^velmora [0-9]+\.[0-9]+$' --version
LANG=hr_HR.UTF-8 expect "Croatian" 2 '^velmora: "nema" ne postoji\.' nema

((failures == 0)) || exit 1
echo "command-line test: every form behaved"
