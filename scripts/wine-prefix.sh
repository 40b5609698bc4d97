#!/bin/sh
# Prepares a Wine prefix for the program: Japanese font replacements and unmanaged windows (no window
# manager under Xvfb, where managed windows cost seconds each to destroy).
# Usage: wine-prefix.sh PREFIX
set -eu
prefix=$(realpath -m "$1")
marker="$prefix/.tavrosin-ready-2"

# Wine draws caption buttons with Marlett, which it does not find on its own here.
copy_marlett() {
    fonts="$prefix/drive_c/windows/Fonts"
    if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
}
if [ -f "$marker" ]; then
    copy_marlett
    exit 0
fi

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 || true

reg_file="$prefix/tavrosin-setup.reg"
# regedit reads UTF-16 with a byte order mark, so the Japanese face names survive any LANG.
{
    printf '\357\273\277'
    cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
"Decorated"="Y"

; Web pages open in the browser, as on any Windows (the browser engine's own registration does this,
; and it is switched off here).
[HKEY_CLASSES_ROOT\.html]
@="htmlfile"

[HKEY_CLASSES_ROOT\.htm]
@="htmlfile"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ 明朝"="IPAGothic"
"MS Gothic"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
"Tahoma"="IPAPGothic"
"MS Sans Serif"="IPAPGothic"
"Microsoft Sans Serif"="IPAPGothic"
REG
} | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE > "$reg_file"
wine regedit /S "$(winepath -w "$reg_file")"
wineserver -w
copy_marlett
touch "$marker"
