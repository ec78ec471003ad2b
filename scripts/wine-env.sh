# Sourced by the other scripts: the project's private 32-bit Wine prefix inside the build
# folder, with a Chinese ANSI code page (936) and Wine's own diagnostics silenced.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEARCH=win32
# INSPECTOR_WINEPREFIX lets parallel builds each keep a prefix of their own.
export WINEPREFIX="${INSPECTOR_WINEPREFIX:-$repo_root/build/wineprefix}"
export WINEDEBUG=-all
# Wine takes its ANSI code page from the locale; compile zh_CN into the build folder so
# this works on machines whose image has no Chinese locale. Only Wine's processes get the
# locale, so the build's own messages stay in the user's language.
export LOCPATH="$repo_root/build/locale"
if [[ ! -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ]]; then
    mkdir -p "$LOCPATH"
    localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" >/dev/null 2>&1 || true
fi
wine_locale=(LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8)
wine() { env "${wine_locale[@]}" wine "$@"; }
wineboot() { env "${wine_locale[@]}" wineboot "$@"; }
wineserver() { env "${wine_locale[@]}" wineserver "$@"; }

# Makes the prefix once: Wine's boot, CJK font substitutes for the faces the tool asks
# for, the Marlett font for caption buttons, and a virtual desktop named "shell" (1024x768)
# for every program, so windows get frames and there is a taskbar with a notification area.
ensure_wine_prefix() {
    [[ -f "$WINEPREFIX/.project-ready" ]] && return 0
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    local key='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$key" /v "宋体" /t REG_SZ /d "AR PL UMing CN" /f </dev/null >/dev/null 2>&1
    wine reg add "$key" /v "楷体_GB2312" /t REG_SZ /d "AR PL UKai CN" /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d shell /f \
        </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /t REG_SZ /d 1024x768 /f \
        </dev/null >/dev/null 2>&1
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    touch "$WINEPREFIX/.project-ready"
}

# Starts a persistent wineserver and Wine's background services with every stream on
# /dev/null: the services inherit the first Wine program's pipes and would hold them open.
start_wine_session() {
    wineserver -p >/dev/null 2>&1 </dev/null
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine_session() {
    wineserver -k >/dev/null 2>&1 || true
}

# Starts Xvfb on a free display and exports DISPLAY; sets xvfb_pid.
start_virtual_display() {
    local display=99
    while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display"
    for _ in $(seq 100); do
        [[ -e /tmp/.X11-unix/X$display ]] && return 0
        sleep 0.1
    done
    echo "could not start Xvfb on $DISPLAY" >&2
    return 1
}
