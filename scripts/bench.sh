#!/bin/bash
# Benchmark of how fast the console fills its lists, starts, writes its report and filters
# cookies (not part of the test suite).
#
#   scripts/bench.sh [--quick] [harness options: --runs K, --counts, --dump, --only CASE]
#
# Builds the harness (win64 preset), starts a Wine bed of its own under build/bench/bed
# (fresh prefix, display, server), plants every workload in it, times every case and its
# floor, prints a table and writes build/bench/results.json. Exits non-zero when a case
# produced the wrong number of rows or drew or wrote other than what was planted. --quick:
# the smallest sizes and 2 runs, for CI (the rows and what was drawn are checked all the same).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out="$root/build/bench"
bed="$out/bed"
bin="$out/bin"
wine64=${WINE64:-/usr/lib/wine/wine64}

args=()
for arg in "$@"; do
    case "$arg" in
        --dump) args+=(--dump "$(printf 'Z:%s' "$out/rows" | tr / '\\')") ;;
        *) args+=("$arg") ;;
    esac
done

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

nice -n 10 cmake --preset win64 >/dev/null
nice -n 10 cmake --build --preset win64 --target vigilark_bench VigilarkEx bench_workload_program bench_service_program \
    bench_cold_floor testbed_keeper Vigilark >/dev/null

# The harness runs from a folder of its own: history.txt and the "Disabled" folder are
# read beside the program, and the test programs' folder must not see them.
mkdir -p "$bin"
# The resident monitor lives in a folder of its own there: the Startup page's fill starts
# "Vigilark.exe" when it finds one beside it, and only the monitor's cases want it running.
rm -rf "$bin/Disabled" "$bin/history.txt" "$bin/HOSTS.saved" "$bin/monitor" "$bin/Vigilark.exe" "$out/rows"
mkdir -p "$bin/monitor"
for program in vigilark_bench VigilarkEx bench_workload_program bench_service_program bench_cold_floor; do
    cp "build/win64/bin/$program.exe" "$bin/"
done
cp build/win64/bin/Vigilark.exe "$bin/monitor/"

started=$(date +%s)
cmake/testbed.sh start "$bed" "$root/build/win64/bin/testbed_keeper.exe" >/dev/null
trap 'cmake/testbed.sh stop "$bed" >/dev/null 2>&1 || true' EXIT
eval "$(cmake/testbed.sh env "$bed")"
echo "bench: Wine bed ready in $(( $(date +%s) - started )) s ($WINEPREFIX)"

status=0
nice -n 10 "$wine64" "$bin/vigilark_bench.exe" --json "$(winpath "$out/results.json")" "${args[@]}" </dev/null || status=$?
echo "bench: finished in $(( $(date +%s) - started )) s including the bed; results in $out/results.json"
exit $status
