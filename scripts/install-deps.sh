#!/bin/sh
# Installs the Debian packages the build, the tests and the program need, when any is missing.
set -eu
packages="cmake ninja-build g++ clang libclang-rt-14-dev googletest libbenchmark-dev python3
g++-mingw-w64-x86-64 mingw-w64-tools
wine fonts-wine xvfb xauth fonts-ipafont-gothic imagemagick xdotool locales
cups cups-bsd printer-driver-cups-pdf poppler-utils fp-utils-3.2.2"

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo apt-get update -q || true
    # shellcheck disable=SC2086
    $sudo apt-get install -y -q --no-install-recommends $missing
fi

# The tests also run under a Japanese locale, as on a Japanese system.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    $sudo sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
