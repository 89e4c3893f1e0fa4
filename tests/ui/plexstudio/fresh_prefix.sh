#!/bin/sh
# Runs a test program in a Wine prefix of its own, made for this run and
# removed after it: what a user's first start of the editor meets on a new
# machine, with nothing that other tests or earlier runs put in the prefix.
#
#   fresh_prefix.sh <wine loader> <win32|win64> <test program> [its arguments]
#
# The prefix's wineserver and services start here with their output away
# from ours (ctest waits for every process that holds its output pipe) and
# are ended with the prefix.
set -u
loader=$1
arch=$2
program=$3
shift 3

prefix=$(mktemp -d "${TMPDIR:-/tmp}/plexwright-fresh.XXXXXX") || exit 1
export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all
wineserver -f -p >/dev/null 2>&1 </dev/null &
server=$!
WINEDLLOVERRIDES="mscoree,mshtml=" "$loader" wineboot -i >/dev/null 2>&1 </dev/null
"$loader" "$program" "$@"
rc=$?
wineserver -k >/dev/null 2>&1 </dev/null
wait "$server" 2>/dev/null
rm -rf "$prefix"
exit $rc
