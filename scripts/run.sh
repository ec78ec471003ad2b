#!/usr/bin/env bash
# Builds the tool and starts it under Wine: on $DISPLAY when there is one, otherwise on a
# virtual display, where it saves a screenshot after start-up and then closes the tool.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/wine-env.sh

cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target window_inspector >/dev/null
exe=build/windows/ui/window_inspector.exe
ensure_wine_prefix
echo "built $exe"

if [[ -n "${DISPLAY:-}" ]]; then
    exec env "${wine_locale[@]}" wine "$exe"
fi

start_virtual_display
trap 'stop_wine_session; kill "$xvfb_pid" 2>/dev/null || true' EXIT
start_wine_session
wine "$exe" </dev/null >/dev/null 2>&1 &
sleep 4
shot="$PWD/build/screenshot.png"
import -window root "$shot"
echo "the tool is running on a virtual display; screenshot saved to $shot"
