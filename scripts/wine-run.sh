#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix (ctest uses this as its emulator).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec env "${wine_locale[@]}" wine "$@"
