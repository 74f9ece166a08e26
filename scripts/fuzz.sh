#!/bin/bash
# Builds every fuzz target natively (fuzz/*_fuzz.cpp; each names the sources it needs on a
# "// fuzz-sources:" line) with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer,
# then runs each for the given seconds (default 60) on its seed corpus (fuzz/corpus/<name>).
# New inputs go to build/fuzz/corpus/<name>, crashes to build/fuzz/artifacts/<name>/.
# Usage: scripts/fuzz.sh [seconds] [target...]   (seconds 0: build only)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
out=build/fuzz
mkdir -p "$out"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" _fuzz.cpp)"); done
fi
for t in "${targets[@]}"; do
    src=fuzz/${t}_fuzz.cpp
    read -r -a extra <<<"$(sed -n 's|^// fuzz-sources:||p' "$src")"
    clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -Isrc "$src" "${extra[@]}" -o "$out/$t"
done
[ "$seconds" -gt 0 ] || exit 0
status=0
for t in "${targets[@]}"; do
    mkdir -p "$out/corpus/$t" "$out/artifacts/$t"
    echo "== $t: ${seconds}s"
    "$out/$t" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/artifacts/$t/" \
        "$out/corpus/$t" "fuzz/corpus/$t" 2>"$out/$t.log" || status=1
    grep -E '^stat::number_of_executed_units|^Done|ERROR|SUMMARY' "$out/$t.log" || true
done
exit $status
