#!/usr/bin/env bash
# Builds and runs every test: the platform-free code natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the Windows build under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/wine-env.sh

echo "== host build (sanitizers)"
cmake --preset host >/dev/null
cmake --build --preset host -j"$(nproc)" >/dev/null
ctest --preset host -j"$(nproc)"

echo "== Windows build (tests run under Wine)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" >/dev/null

ensure_wine_prefix
start_virtual_display
trap 'stop_wine_session; kill "$xvfb_pid" 2>/dev/null || true' EXIT
start_wine_session
ctest --preset windows --timeout 600 </dev/null
