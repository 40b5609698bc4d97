#!/bin/sh
# Starts the program on a virtual display, waits, and saves a picture of the screen.
# Usage: screenshot.sh OUT.png [SECONDS] [program arguments...]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "$1"); shift
wait_s=${1:-4}; [ $# -gt 0 ] && shift
prefix="$root/build/windows/wineprefix"
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    root=$0 prefix=$1 wait_s=$2 out=$3; shift 3
    "$root/scripts/wine-prefix.sh" "$prefix"
    cd "$root/build/windows/program"
    WINEPREFIX="$prefix" WINEDEBUG=-all wine explorer /desktop=shot,1000x740 Tavrosin.exe "$@" &
    sleep "$wait_s"
    import -window root "$out"
    WINEPREFIX="$prefix" wineserver -k
' "$root" "$prefix" "$wait_s" "$out" "$@"
