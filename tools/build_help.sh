#!/bin/sh
# Compiles the help file: build_help.sh SOURCE_DIR OUTPUT.chm
# The sources are UTF-8; the help viewer reads a Japanese help file's pages, contents and index as CP932,
# so they are converted (and their charset declarations changed) in a staging folder first.
set -eu
src=$1
out=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp -R "$src"/. "$stage"/
for f in "$stage"/*.html "$stage"/*.hhc "$stage"/*.hhk "$stage"/*.hhp; do
    sed 's/charset=UTF-8/charset=Shift_JIS/' "$f" | iconv -f UTF-8 -t CP932 > "$f.sjis"
    mv "$f.sjis" "$f"
done
# Pictures are listed here rather than by hand in the project file.
for p in "$stage"/images/*.png; do
    [ -e "$p" ] && echo "images/$(basename "$p")" >> "$stage/tavrosin.hhp"
done
(cd "$stage" && chmcmd --no-html-scan --verbosity 1 tavrosin.hhp >chmcmd.log 2>&1) || { cat "$stage/chmcmd.log"; exit 1; }
[ -s "$stage/Tavrosin.chm" ] || { cat "$stage/chmcmd.log"; echo "chmcmd made no help file" >&2; exit 1; }
cp "$stage/Tavrosin.chm" "$out"
