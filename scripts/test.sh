#!/bin/sh
# Builds both configurations and runs every test: the model natively (plain and with sanitizers), each
# fuzz target briefly, then the Windows program's tests under Wine on a virtual display, with LANG=C.UTF-8 and
# with a Japanese LANG.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" || exit 1
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)
summary=""
failed=0

record() { # name status
    if [ "$2" -eq 0 ]; then summary="$summary
  passed  $1"; else summary="$summary
  FAILED  $1"; failed=1; fi
}

for preset in native native-asan; do
    if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs"; then
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
            ctest --test-dir "build/$preset" --output-on-failure -j "$jobs" --timeout 120
        record "$preset tests" $?
    else
        record "$preset build" 1
    fi
done

# Fuzzing: the literal transcoder against GCC, then each libFuzzer target briefly from a scratch copy of
# its seed corpus (the committed corpus stays as it is).
if python3 tools/cp932_literals_test.py; then record "cp932 literal transcoder" 0; else record "cp932 literal transcoder" 1; fi
if cmake --preset native-fuzz >/dev/null && cmake --build --preset native-fuzz -j "$jobs"; then
    for target in build/native-fuzz/fuzz/*_fuzz; do
        [ -x "$target" ] || continue
        name=$(basename "$target" _fuzz)
        work=$(mktemp -d)
        mkdir "$work/corpus" "$work/artifacts"
        [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/corpus/"
        "$target" -max_total_time=20 -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" \
            >"$work/log" 2>&1
        rc=$?
        tail -n 12 "$work/log"
        if [ $rc -ne 0 ]; then
            mkdir -p build/native-fuzz/findings
            cp "$work"/artifacts/* build/native-fuzz/findings/ 2>/dev/null
            echo "fuzz target $name failed; inputs kept in build/native-fuzz/findings"
        fi
        rm -rf "$work"
        record "fuzz $name (20 s)" $rc
    done
else
    record "native-fuzz build" 1
fi

if cmake --preset windows >/dev/null && cmake --build --preset windows -j "$jobs"; then
    prefix="$root/build/windows/wineprefix"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/wine-prefix.sh" "$prefix"
    # The printing tests print through a real spooler to a PDF queue; a scheduler started here is
    # stopped here, by its process id, however the run ends.
    queue_pid="$root/build/print-queue/cupsd.pid"
    trap '"$root/scripts/print-queue.sh" stop "$queue_pid"' EXIT
    trap 'exit 130' INT TERM
    "$root/scripts/print-queue.sh" start "$queue_pid"
    record "print queue started" $?
    # A test that fails is run once more: Wine now and then fails to start a process at all (status
    # without any output, seen once in CI); a real fault fails both times.
    for lang in C.UTF-8 ja_JP.UTF-8; do
        LANG=$lang LC_ALL= WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
            xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
                wineserver -p; wine cmd /c exit >/dev/null 2>&1
                ctest --test-dir build/windows --output-on-failure -j 2 --timeout 180 --repeat until-pass:2; rc=$?
                wineserver -k; exit $rc'
        record "windows tests under Wine (LANG=$lang)" $?
    done
    "$root/scripts/print-queue.sh" stop "$queue_pid"
else
    record "windows build" 1
fi

echo
echo "== Summary ==$summary"
exit $failed
