#!/usr/bin/env bash
# Builds the exe and starts it under Wine: on the current display, or on a
# private Xvfb when there is none (then a screenshot is saved and the tool
# is closed again, since nobody can use that display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

export WINEARCH=win64 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
mkdir -p build/tool
cp build/win32/Brenvo.exe build/tool/Brenvo.exe

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 130); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    echo "no display: started a private Xvfb on $DISPLAY"
    sleep 1
    # A prefix of its own: there Wine draws the frames that no window
    # manager draws, which would look wrong on a real desktop.
    export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix-xvfb}"
else
    export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix}"
fi
if [ ! -d "$WINEPREFIX/drive_c" ]; then
    echo "making the Wine prefix $WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    if [ -n "$xvfb_pid" ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
fi

wine build/tool/Brenvo.exe </dev/null >/dev/null 2>&1 &
tool_pid=$!
if [ -n "$xvfb_pid" ]; then
    sleep 6
    import -display "$DISPLAY" -window root build/screenshot.png
    echo "screenshot of the window: build/screenshot.png"
    kill "$tool_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
else
    wait "$tool_pid"
fi
