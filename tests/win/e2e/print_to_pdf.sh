#!/bin/sh
# Prints a small map through the real spooler to the PDF queue, from the print dialog, from its preview
# and with "Tavrosin.exe /p", and checks what comes out: two pages each, rendered to PNG for a person to
# look at, with ink in the header band and in the map area, and the same pages from all three.
# Last, with the scheduler out of reach, the dialog must warn and close and /p must fail.
# Usage: print_to_pdf.sh EMULATOR WIN_TESTS_EXE PICTURE_FOLDER
# Exit status 77 (skipped) when there is no PDF queue as the default printer.
set -u
emulator=$1 tests=$2 pictures=$3
out="${HOME}/PDF"
LC_ALL=C lpstat -d 2>/dev/null | grep -q 'destination: PDF$' || { echo "no default PDF queue"; exit 77; }
command -v pdfinfo >/dev/null && command -v pdftoppm >/dev/null || { echo "poppler-utils missing"; exit 77; }
mkdir -p "$out" "$pictures"

# Prints with the named disabled test and echoes the path of the PDF that job gave.
print_with() {
    before=$(ls "$out"/*.pdf 2>/dev/null)
    "$emulator" "$tests" --gtest_also_run_disabled_tests --gtest_filter="PrintToSpooler.DISABLED_$1" >&2 ||
        return 1
    pdf="" tries=0
    while [ $tries -lt 600 ]; do
        for f in "$out"/*.pdf; do
            [ -f "$f" ] || continue
            echo "$before" | grep -qxF "$f" || pdf=$f
        done
        [ -n "$pdf" ] && [ -z "$(lpstat -W not-completed -o 2>/dev/null)" ] && break
        tries=$((tries + 1))
        sleep 0.1
    done
    [ -n "$pdf" ] || { echo "no new PDF in $out" >&2; return 1; }
    sleep 0.5
    echo "$pdf"
}

check() { # pdf name
    pages=$(pdfinfo "$1" | sed -n 's/^Pages: *//p')
    echo "$2: $1, pages: $pages"
    [ "$pages" = 2 ] || { echo "expected 2 pages"; return 1; }
    rm -f "$pictures/$2"-*.png
    pdftoppm -png -r 60 "$1" "$pictures/$2" || return 1
    for page in "$pictures/$2"-*.png; do
        header=$(convert "$page" -crop 100%x3%+0+0 -colorspace gray -format '%[fx:minima]' info:)
        body=$(convert "$page" -crop 100%x40%+0+60 -colorspace gray -format '%[fx:minima]' info:)
        echo "$page: darkest header $header, darkest map area $body"
        awk -v h="$header" -v b="$body" 'BEGIN { exit !(h < 0.5 && b < 0.5) }' || { echo "blank where ink belongs"; return 1; }
    done
}

dialog=$(print_with FromTheDialog) || exit 1
check "$dialog" dialog || exit 1
preview=$(print_with FromThePreview) || exit 1
check "$preview" preview || exit 1
command=$(print_with FromTheCommandLine) || exit 1
check "$command" command || exit 1
for n in 1 2; do
    for other in preview command; do
        differ=$(compare -metric AE "$pictures/dialog-$n.png" "$pictures/$other-$n.png" null: 2>&1)
        echo "page $n: $differ pixels differ between the dialog's print and the $other's"
        [ "$differ" = 0 ] || exit 1
    done
done

CUPS_SERVER=/nonexistent/cups.sock "$emulator" "$tests" --gtest_also_run_disabled_tests \
    --gtest_filter=PrintToSpooler.DISABLED_WithoutAPrinter || exit 1
