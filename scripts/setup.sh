#!/usr/bin/env bash
# Installs what building and running the tool needs on Debian, when it is missing:
# the mingw-w64 cross compiler, 32-bit Wine, Xvfb, CJK fonts and the zh_CN locale data.
# Quick and quiet when everything is already there.
set -euo pipefail

packages=(cmake g++ clang libclang-rt-14-dev googletest g++-mingw-w64-i686 wine wine32:i386
          wine64 xvfb xdotool imagemagick fonts-wine fonts-arphic-uming fonts-arphic-ukai
          fonts-wqy-zenhei locales)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=sudo
fi

echo "setup: installing ${missing[*]}"
log=$(mktemp)
if ! {
    $sudo dpkg --add-architecture i386 &&
    $sudo apt-get update -qq &&
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
} >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    echo "setup: could not install the packages above (${missing[*]}); see the lines above." >&2
    exit 1
fi
rm -f "$log"
