#!/bin/sh
# Builds the benchmarks and prints their tables: the native ones of bench/, optimised (a program's
# BM_PlainCopy is the baseline: every other benchmark with the same argument is shown as a ratio to it),
# then the drawing harness under Wine. Arguments go to each native benchmark (--benchmark_filter=Load).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cd "$root"
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=$(for f in bench/*_bench.cpp; do basename "$f" .cpp; done)
# shellcheck disable=SC2086
cmake --build "$build" --target $targets >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for t in $targets; do
    "$build/bench/$t" --benchmark_format=json --benchmark_out="$out/$t.json" --benchmark_out_format=json \
        --benchmark_min_time=0.5 "$@" >/dev/null
done
python3 - "$out" <<'PY'
import json, os, sys

kinds = {"0": "memory", "1": "disk"}
print(f"{'benchmark':<28} {'disk':<7} {'time (us)':>11} {'MB/s':>9} {'x plain copy':>13}  file")
for name in sorted(os.listdir(sys.argv[1])):
    runs = json.load(open(os.path.join(sys.argv[1], name)))["benchmarks"]
    base = {}
    for r in runs:
        fn, _, arg = r["name"].partition("/")
        if fn == "BM_PlainCopy":
            base[arg] = r["real_time"]
    for r in runs:
        fn, _, arg = r["name"].partition("/")
        ratio = f"{r['real_time'] / base[arg]:.2f}" if arg in base else "-"
        rate = r.get("bytes_per_second", 0) / 1e6
        print(f"{name[:-5] + ':' + fn[3:]:<28} {kinds.get(arg, arg):<7} {r['real_time']:>11.1f} {rate:>9.1f} "
              f"{ratio:>13}  {r.get('label', '')}")
PY

# Drawing: the Windows harnesses under Wine on a virtual display, the renderings and then the map view's
# paint path in a real window, then saving the largest map as a picture and writing its recovery copy.
echo
cmake --preset windows >/dev/null
cmake --build --preset windows --target draw_bench view_paint_bench export_bench recovery_bench >/dev/null
prefix="$root/build/windows/wineprefix"
WINEPREFIX="$prefix" WINEDEBUG=-all xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    "$0/scripts/wine-prefix.sh" "$1"
    wine "$0/build/windows/bench/win/draw_bench.exe"
    echo
    wine "$0/build/windows/bench/win/view_paint_bench.exe"
    echo
    for case in 0 1 2; do wine "$0/build/windows/bench/win/export_bench.exe" $case; done
    echo
    wine "$0/build/windows/bench/win/recovery_bench.exe"' "$root" "$prefix"
