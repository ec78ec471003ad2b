#!/usr/bin/env bash
# Fuzzes the ICO image choice for a bounded time: bash scripts/fuzz.sh [seconds] (default 60).
# Runs on a copy of tests/fuzz/corpus (plus the product's icon) inside build/fuzz, and copies
# every input that made it fail into tests/fuzz/regressions, which the replay test runs.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/setup.sh

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target ico_directory_fuzzer >/dev/null

work=build/fuzz/fuzz-run
mkdir -p "$work/corpus" "$work/artifacts"
cp -n tests/fuzz/corpus/* assets/inspector.ico "$work/corpus/"
find tests/fuzz/regressions -type f ! -name '*.md' -exec cp -n {} "$work/corpus/" \;

set +e
nice -n 10 build/fuzz/tests/fuzz/ico_directory_fuzzer "$work/corpus" \
    -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" -print_final_stats=1 \
    2>&1 | tee "$work/last-run.log" | grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|Done|==|SUMMARY|stat::|artifact)'
status=${PIPESTATUS[0]}
set -e

found=0
for artifact in "$work"/artifacts/*; do
    [[ -f "$artifact" ]] || continue
    cp -n "$artifact" tests/fuzz/regressions/
    echo "fuzz: finding kept as tests/fuzz/regressions/$(basename "$artifact")"
    found=1
done
rm -f "$work"/artifacts/*
[[ $found -eq 0 && $status -eq 0 ]] || { echo "fuzz: faults found (full log: $work/last-run.log)"; exit 1; }
echo "fuzz: no faults in ${seconds} s (full log: $work/last-run.log)"
