#!/bin/sh
# Prints a small map through the real spooler to the PDF queue and checks what comes out: two pages,
# rendered to PNG for a person to look at, with ink in the header band and the map's rulers.
# Usage: print_to_pdf.sh EMULATOR WIN_TESTS_EXE PICTURE_FOLDER
# Exit status 77 (skipped) when there is no PDF queue as the default printer.
set -u
emulator=$1 tests=$2 pictures=$3
out="${HOME}/PDF"
lpstat -d 2>/dev/null | grep -q 'destination: PDF$' || { echo "no default PDF queue"; exit 77; }
command -v pdfinfo >/dev/null && command -v pdftoppm >/dev/null || { echo "poppler-utils missing"; exit 77; }
mkdir -p "$out" "$pictures"
before=$(ls "$out"/*.pdf 2>/dev/null)

"$emulator" "$tests" --gtest_also_run_disabled_tests \
    --gtest_filter='PrintToSpooler.DISABLED_TwoPagesWithJapaneseHeaderAndPageCount' || exit 1

pdf=""
tries=0
while [ $tries -lt 600 ]; do
    for f in "$out"/*.pdf; do
        [ -f "$f" ] || continue
        echo "$before" | grep -qxF "$f" || pdf=$f
    done
    [ -n "$pdf" ] && [ -z "$(lpstat -W not-completed -o 2>/dev/null)" ] && break
    tries=$((tries + 1))
    sleep 0.1
done
[ -n "$pdf" ] || { echo "no new PDF in $out"; exit 1; }
sleep 0.5
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
echo "PDF: $pdf, pages: $pages"
[ "$pages" = 2 ] || { echo "expected 2 pages"; exit 1; }
rm -f "$pictures"/page-*.png
pdftoppm -png -r 60 "$pdf" "$pictures/page" || exit 1
for page in "$pictures"/page-*.png; do
    # Ink in the top strip (the header) and somewhere below it (the map).
    header=$(convert "$page" -crop 100%x3%+0+0 -colorspace gray -format '%[fx:minima]' info:)
    body=$(convert "$page" -crop 100%x40%+0+60 -colorspace gray -format '%[fx:minima]' info:)
    echo "$page: darkest header $header, darkest map area $body"
    awk -v h="$header" -v b="$body" 'BEGIN { exit !(h < 0.5 && b < 0.5) }' || { echo "blank where ink belongs"; exit 1; }
done
