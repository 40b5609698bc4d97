#!/bin/sh
# Builds Tavrosin.exe and starts it under Wine in its program folder (build/windows/program).
# Arguments are passed on; paths of existing files are turned into Windows paths first.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ -z "${TAVROSIN_BUILT:-}" ]; then
    ./scripts/install-deps.sh
    cmake --preset windows >/dev/null
    cmake --build --preset windows --target program
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: running on a virtual one (Xvfb)."
    TAVROSIN_BUILT=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

prefix="$root/build/windows/wineprefix"
./scripts/wine-prefix.sh "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

args=""
for a in "$@"; do
    if [ -e "$a" ]; then a=$(winepath -w "$(realpath "$a")" 2>/dev/null); fi
    args="$args '$(printf '%s' "$a" | sed "s/'/'\\\\''/g")'"
done

cd "$root/build/windows/program"
eval "exec wine Tavrosin.exe $args"
