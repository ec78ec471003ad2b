#!/usr/bin/env bash
# Builds the Windows preset and runs the benchmark under Wine: capture cost, start-up time
# and footprint of the tool, each beside a floor measured in the same run. Prints one table.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target inspector_bench >/dev/null

ensure_wine_prefix
start_virtual_display
trap 'stop_wine_session; kill "$xvfb_pid" 2>/dev/null || true' EXIT
start_wine_session
status=0
wine build/windows/bench/inspector_bench.exe </dev/null 2>&1 || status=$?
echo "imports (objdump):" $(i686-w64-mingw32-objdump -p build/windows/ui/window_inspector.exe |
    sed -n 's/^\tDLL Name: //p')
exit "$status"
