#!/bin/sh
# Installs the Debian packages the build, the tests and the program need, when any is missing.
set -eu
packages="cmake ninja-build g++ clang libclang-rt-14-dev googletest python3
g++-mingw-w64-x86-64 mingw-w64-tools
wine xvfb xauth fonts-ipafont-gothic imagemagick xdotool"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q || true
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
